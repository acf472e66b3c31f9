#pragma once

#include <QList>
#include <QString>

// The 55 Favourites commands as a user finds them, written out in full independently of
// the program's own table: control name, the captions leading to the item, and the
// exact address the item must hand to its web view.
struct ExpectedCommand
{
    QString name;
    QStringList captions;
    QString address;
};

inline QList<ExpectedCommand> expectedCommands()
{
    const QString page = QStringLiteral("http://www.corveluniverse.example/band/corveluniverse/");
    const QString mail = QStringLiteral("Check Email");
    const QString seacrh = QStringLiteral("Seacrh Engines");
    const QString nb = QStringLiteral("Nimbrel");
    const QString info = QStringLiteral("Information");
    const QString ly = QStringLiteral("Lyrics");
    const QString mul = QStringLiteral("Multimedia");
    const QString win = QStringLiteral("Windows");
    auto c = [](const char16_t* text) { return QString::fromUtf16(text); };

    return {
        {c(u"mnuFavMailA"), {mail, c(u"AOL")}, c(u"http://www.aol.com")},
        {c(u"mnuFavMailH"), {mail, c(u"Hotmail")}, c(u"http://www.hotmail.com")},
        {c(u"mnuFavMailO"), {mail, c(u"My Own Email")}, c(u"http://www.myownemail.com/moe4/login/default.cfm")},
        {c(u"mnuFavMailY"), {mail, c(u"Yahoo")}, c(u"http://mail.yahoo.com")},
        {c(u"mnuFavSeacrhA"), {seacrh, c(u"Altavista")}, c(u"http://www.altavista.com")},
        {c(u"mnuFavSeacrhG"), {seacrh, c(u"GoTo")}, c(u"http://www.goto.com")},
        {c(u"mnuFavSeacrhS"), {seacrh, c(u"Nimbrel")}, page + c(u"search.htm")},
        {c(u"mnuFavSeacrhY"), {seacrh, c(u"Yahoo")}, c(u"http://www.yahoo.com")},
        {c(u"mnuFavNbAnimations"), {nb, c(u"Animations")}, page + c(u"animations.htm")},
        {c(u"mnuFavNbArticles"), {nb, c(u"Articles")}, page + c(u"articles.htm")},
        {c(u"mnuFavNbFocus"), {nb, c(u"Artist Focus")}, page + c(u"afocus.htm")},
        {c(u"mnuFavNbDisco"), {nb, c(u"Discography")}, page + c(u"discography.htm")},
        {c(u"mnuFavNbDownloads"), {nb, c(u"Downloads")}, c(u"http://files.corveluniverse.example/corveluniversedownloads")},
        {c(u"mnuFavNbReleases"), {nb, c(u"DVD Realeses")}, page + c(u"videos1.htm")},
        {c(u"mnuFavNbEmails"), {nb, c(u"Emails")}, page + c(u"emails.htm")},
        {c(u"mnuFavNbBall"), {nb, c(u"Fantasy Ball")}, page + c(u"lollipop.htm")},
        {c(u"mnuFavNbGames"), {nb, c(u"Games")}, page + c(u"games.htm")},
        {c(u"mnuFavNbInfoDova"), {nb, info, c(u"Dova")}, page + c(u"dova1.htm")},
        {c(u"mnuFavNbInfoFenna"), {nb, info, c(u"Fenna")}, page + c(u"fenna1.htm")},
        {c(u"mnuFavNbInfoBrisa"), {nb, info, c(u"Brisa")}, page + c(u"brisa1.htm")},
        {c(u"mnuFavNbInfoEfri"), {nb, info, c(u"Efri")}, page + c(u"efri1.htm")},
        {c(u"mnuFavNbInfoCaddo"), {nb, info, c(u"Caddo")}, page + c(u"caddo1.htm")},
        {c(u"mnuFavNbLinks"), {nb, c(u"Links")}, page + c(u"links.htm")},
        {c(u"mnuFavNbLyLy"), {nb, ly, c(u"All Lyrics")}, page + c(u"new_page_3.htm")},
        {c(u"mnuFavNbLyC"), {nb, ly, c(u"Corvel")}, page + c(u"corvel2.htm")},
        {c(u"mnuFavNbLyCw"), {nb, ly, c(u"Corvel World")}, page + c(u"corvel_world2.htm")},
        {c(u"mnuFavNbLyF"), {nb, ly, c(u"Forever")}, page + c(u"forever.htm")},
        {c(u"mnuFavNbLyO"), {nb, ly, c(u"Other Songs")}, page + c(u"singles.htm")},
        {c(u"mnuFavNbLyQf"), {nb, ly, c(u"Quillfire")}, page + c(u"quillfire.htm")},
        {c(u"mnuFavNbLyHl"), {nb, ly, c(u"Harrowlight")}, page + c(u"harrowlight.htm")},
        {c(u"mnuFavNbLyH"), {nb, ly, c(u"Hot")}, page + c(u"hot.htm")},
        {c(u"mnuFavNbMag"), {nb, c(u"Magazines")}, page + c(u"magazines.htm")},
        {c(u"mnuFavNbMulMi"), {nb, mul, c(u"Midi")}, page + c(u"midis.htm")},
        {c(u"mnuFavNbMulMp"), {nb, mul, c(u"Mp3")}, page + c(u"mp3s.htm")},
        {c(u"mnuFavNbMulVd"), {nb, mul, c(u"Videos")}, page + c(u"videos.htm")},
        {c(u"mnuFavNbNews"), {nb, c(u"News")}, page + c(u"news.htm")},
        {c(u"mnuFavNbPictures"), {nb, c(u"Pictures")}, page + c(u"members.htm")},
        {c(u"mnuFavNbPosters"), {nb, c(u"Posters")}, page + c(u"posters.htm")},
        {c(u"mnuFavNbProducts"), {nb, c(u"Products")}, page + c(u"products.htm")},
        {c(u"mnuFavNbQuizzes"), {nb, c(u"Quizzes")}, page + c(u"quizzes.htm")},
        {c(u"mnuFavNbRecords"), {nb, c(u"Records")}, page + c(u"records.htm")},
        {c(u"mnuFavNbShopping"), {nb, c(u"Shopping")}, page + c(u"shopping.htm")},
        {c(u"mnuFavNbSoftwares"), {nb, c(u"Softwares")}, page + c(u"softwares.htm")},
        {c(u"mnuFavNbMovie"), {nb, c(u"Corvel World")}, page + c(u"corvel_world3.htm")},
        {c(u"mnuFavNbTours"), {nb, c(u"Tours")}, page + c(u"tours.htm")},
        {c(u"mnuFavNbReleases1"), {nb, c(u"Video Releases")}, page + c(u"videos1.htm")},
        {c(u"mnuFavWin1"), {win, c(u"Customize Links")}, c(u"http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=5.0&ar=CLinks")},
        {c(u"mnuFavWin2"), {win, c(u"Microsoft")}, c(u"http://www.microsoft.com/isapi/redir.dll?prd=windows98&clcid=&pver=4.10&ar=Microsoft")},
        {c(u"mnuFavWin3"), {win, c(u"Windows")}, c(u"http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=windows")},
        {c(u"mnuFavWin4"), {win, c(u"Update")}, c(u"http://windowsupdate.microsoft.com/isapi/redir.dll?prd=windowsupdate&clcid=&pver=&ar=WindowsUpdate")},
        {c(u"mnuFavEfri"), {c(u"Efri World")}, c(u"http://hop.fanlinks.example/vevevuzod")},
        {c(u"mnuFavCaddo"), {c(u"Caddo")}, c(u"http://go.corvelredirect.example/zoroduvirerodo")},
        {c(u"mnuFavBrisa"), {c(u"World Of Brisa")}, page + c(u"brisasolo.htm")},
        {c(u"mnuFavFenna"), {c(u"Fenna Uncoverd")}, page + c(u"fennasolo.htm")},
        {c(u"mnuFavDova"), {c(u"Dova Palace")}, page + c(u"dovasolo.htm")},
    };
}
