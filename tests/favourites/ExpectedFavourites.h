#pragma once

#include <QList>
#include <QString>

using namespace Qt::StringLiterals;

// The 55 Favourites commands in display order, written out independently of the
// program's own table: control name, the captions leading to the item, and the exact
// address the item must hand to its web view.
struct ExpectedCommand
{
    QString name;
    QString path; // captions from the Favourites menu down, joined by '/'
    QString address;
};

inline QList<ExpectedCommand> expectedCommands()
{
    const QString page = u"http://www.corveluniverse.example/band/corveluniverse/"_s;
    return {
        {u"mnuFavMailA"_s, u"Check Email/AOL"_s, u"http://www.aol.com"_s},
        {u"mnuFavMailH"_s, u"Check Email/Hotmail"_s, u"http://www.hotmail.com"_s},
        {u"mnuFavMailO"_s, u"Check Email/My Own Email"_s, u"http://www.myownemail.com/moe4/login/default.cfm"_s},
        {u"mnuFavMailY"_s, u"Check Email/Yahoo"_s, u"http://mail.yahoo.com"_s},
        {u"mnuFavSeacrhA"_s, u"Seacrh Engines/Altavista"_s, u"http://www.altavista.com"_s},
        {u"mnuFavSeacrhG"_s, u"Seacrh Engines/GoTo"_s, u"http://www.goto.com"_s},
        {u"mnuFavSeacrhS"_s, u"Seacrh Engines/Nimbrel"_s, page + u"search.htm"_s},
        {u"mnuFavSeacrhY"_s, u"Seacrh Engines/Yahoo"_s, u"http://www.yahoo.com"_s},
        {u"mnuFavNbAnimations"_s, u"Nimbrel/Animations"_s, page + u"animations.htm"_s},
        {u"mnuFavNbArticles"_s, u"Nimbrel/Articles"_s, page + u"articles.htm"_s},
        {u"mnuFavNbFocus"_s, u"Nimbrel/Artist Focus"_s, page + u"afocus.htm"_s},
        {u"mnuFavNbDisco"_s, u"Nimbrel/Discography"_s, page + u"discography.htm"_s},
        {u"mnuFavNbDownloads"_s, u"Nimbrel/Downloads"_s, u"http://files.corveluniverse.example/corveluniversedownloads"_s},
        {u"mnuFavNbReleases"_s, u"Nimbrel/DVD Realeses"_s, page + u"videos1.htm"_s},
        {u"mnuFavNbEmails"_s, u"Nimbrel/Emails"_s, page + u"emails.htm"_s},
        {u"mnuFavNbBall"_s, u"Nimbrel/Fantasy Ball"_s, page + u"lollipop.htm"_s},
        {u"mnuFavNbGames"_s, u"Nimbrel/Games"_s, page + u"games.htm"_s},
        {u"mnuFavNbInfoDova"_s, u"Nimbrel/Information/Dova"_s, page + u"dova1.htm"_s},
        {u"mnuFavNbInfoFenna"_s, u"Nimbrel/Information/Fenna"_s, page + u"fenna1.htm"_s},
        {u"mnuFavNbInfoBrisa"_s, u"Nimbrel/Information/Brisa"_s, page + u"brisa1.htm"_s},
        {u"mnuFavNbInfoEfri"_s, u"Nimbrel/Information/Efri"_s, page + u"efri1.htm"_s},
        {u"mnuFavNbInfoCaddo"_s, u"Nimbrel/Information/Caddo"_s, page + u"caddo1.htm"_s},
        {u"mnuFavNbLinks"_s, u"Nimbrel/Links"_s, page + u"links.htm"_s},
        {u"mnuFavNbLyLy"_s, u"Nimbrel/Lyrics/All Lyrics"_s, page + u"new_page_3.htm"_s},
        {u"mnuFavNbLyC"_s, u"Nimbrel/Lyrics/Corvel"_s, page + u"corvel2.htm"_s},
        {u"mnuFavNbLyCw"_s, u"Nimbrel/Lyrics/Corvel World"_s, page + u"corvel_world2.htm"_s},
        {u"mnuFavNbLyF"_s, u"Nimbrel/Lyrics/Forever"_s, page + u"forever.htm"_s},
        {u"mnuFavNbLyO"_s, u"Nimbrel/Lyrics/Other Songs"_s, page + u"singles.htm"_s},
        {u"mnuFavNbLyQf"_s, u"Nimbrel/Lyrics/Quillfire"_s, page + u"quillfire.htm"_s},
        {u"mnuFavNbLyHl"_s, u"Nimbrel/Lyrics/Harrowlight"_s, page + u"harrowlight.htm"_s},
        {u"mnuFavNbLyH"_s, u"Nimbrel/Lyrics/Hot"_s, page + u"hot.htm"_s},
        {u"mnuFavNbMag"_s, u"Nimbrel/Magazines"_s, page + u"magazines.htm"_s},
        {u"mnuFavNbMulMi"_s, u"Nimbrel/Multimedia/Midi"_s, page + u"midis.htm"_s},
        {u"mnuFavNbMulMp"_s, u"Nimbrel/Multimedia/Mp3"_s, page + u"mp3s.htm"_s},
        {u"mnuFavNbMulVd"_s, u"Nimbrel/Multimedia/Videos"_s, page + u"videos.htm"_s},
        {u"mnuFavNbNews"_s, u"Nimbrel/News"_s, page + u"news.htm"_s},
        {u"mnuFavNbPictures"_s, u"Nimbrel/Pictures"_s, page + u"members.htm"_s},
        {u"mnuFavNbPosters"_s, u"Nimbrel/Posters"_s, page + u"posters.htm"_s},
        {u"mnuFavNbProducts"_s, u"Nimbrel/Products"_s, page + u"products.htm"_s},
        {u"mnuFavNbQuizzes"_s, u"Nimbrel/Quizzes"_s, page + u"quizzes.htm"_s},
        {u"mnuFavNbRecords"_s, u"Nimbrel/Records"_s, page + u"records.htm"_s},
        {u"mnuFavNbShopping"_s, u"Nimbrel/Shopping"_s, page + u"shopping.htm"_s},
        {u"mnuFavNbSoftwares"_s, u"Nimbrel/Softwares"_s, page + u"softwares.htm"_s},
        {u"mnuFavNbMovie"_s, u"Nimbrel/Corvel World"_s, page + u"corvel_world3.htm"_s},
        {u"mnuFavNbTours"_s, u"Nimbrel/Tours"_s, page + u"tours.htm"_s},
        {u"mnuFavNbReleases1"_s, u"Nimbrel/Video Releases"_s, page + u"videos1.htm"_s},
        {u"mnuFavWin1"_s, u"Windows/Customize Links"_s, u"http://www.microsoft.com/isapi/redir.dll?prd=ie&pver=5.0&ar=CLinks"_s},
        {u"mnuFavWin2"_s, u"Windows/Microsoft"_s, u"http://www.microsoft.com/isapi/redir.dll?prd=windows98&clcid=&pver=4.10&ar=Microsoft"_s},
        {u"mnuFavWin3"_s, u"Windows/Windows"_s, u"http://www.microsoft.com/isapi/redir.dll?prd=ie&ar=windows"_s},
        {u"mnuFavWin4"_s, u"Windows/Update"_s, u"http://windowsupdate.microsoft.com/isapi/redir.dll?prd=windowsupdate&clcid=&pver=&ar=WindowsUpdate"_s},
        {u"mnuFavEfri"_s, u"Efri World"_s, u"http://hop.fanlinks.example/vevevuzod"_s},
        {u"mnuFavCaddo"_s, u"Caddo"_s, u"http://go.corvelredirect.example/zoroduvirerodo"_s},
        {u"mnuFavBrisa"_s, u"World Of Brisa"_s, page + u"brisasolo.htm"_s},
        {u"mnuFavFenna"_s, u"Fenna Uncoverd"_s, page + u"fennasolo.htm"_s},
        {u"mnuFavDova"_s, u"Dova Palace"_s, page + u"dovasolo.htm"_s},
    };
}
