// How the windows look at the scale the test runs at (ctest runs it at 1 and at 2): every
// designed text fits its control, every picture is the one for the scale, and the window
// icons are where they belong.
#include "browser/BrowserTestSupport.h"

#include "calculator/Calculator.h"
#include "infowindows/ProfileWindow.h"
#include "infowindows/Profiles.h"
#include "infowindows/frmAbout.h"
#include "infowindows/frmAbout1.h"
#include "mainframe/frmMain.h"
#include "platform/AppIcon.h"
#include "platform/CalculatorApplication.h"
#include "platform/PictureBox.h"
#include "platform/Pictures.h"

#include <QAccessible>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

namespace {

// Texts cut on purpose, in height only: their width must still fit. The designed 18-pixel
// status bar keeps Qt's 3 and 2 pixels of spacing above and below its sunken panels, which
// leaves 11 pixels inside for a 13-pixel line; only the empty top and bottom rows of the
// line's leading are cut.
bool clippedOnPurpose(const QWidget* window, const QWidget* control)
{
    return window->objectName() == u"frmMain" && control->objectName().startsWith(u"sbStatusPanel");
}

// Where a control's text is laid out and the room it needs there, in the control's
// coordinates. An empty `needed` means the control shows no text.
struct TextPlace
{
    QRect box;
    QRect needed;
};

TextPlace labelText(const QLabel* label)
{
    const QString text = label->text();
    if (text.isEmpty())
        return {};
    QRect box = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    const QFontMetrics fm = label->fontMetrics();
    // A label with a frame and no indent of its own keeps half an "x" from the frame on
    // the sides it is aligned to, as QLabel lays out its contents.
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = fm.horizontalAdvance(u'x') / 2 - label->margin();
    const Qt::Alignment align = label->alignment();
    if (indent > 0) {
        if (align & Qt::AlignLeft)
            box.setLeft(box.left() + indent);
        if (align & Qt::AlignRight)
            box.setRight(box.right() - indent);
        if (align & Qt::AlignTop)
            box.setTop(box.top() + indent);
        if (align & Qt::AlignBottom)
            box.setBottom(box.bottom() - indent);
    }
    // The windows' labels are all plain text: a rich one would measure its tags too, and fail.
    const int flags = int(align) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    return {box, fm.boundingRect(box, flags, text)};
}

TextPlace buttonText(const QAbstractButton* button)
{
    const QString text = button->text();
    if (text.isEmpty())
        return {};
    if (auto* tool = qobject_cast<const QToolButton*>(button);
        tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
        return {};
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    if (auto* push = qobject_cast<const QPushButton*>(button)) {
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
    }
    // The style's contents area, less the margin it keeps between the text and the frame.
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button) / 2;
    const QRect box = button->style()
                          ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                          .adjusted(margin, 0, -margin, 0);
    const QSize size = button->fontMetrics().size(Qt::TextShowMnemonic, text);
    QRect needed(QPoint(), size);
    needed.moveCenter(box.center());
    return {box, needed};
}

// A single-line box must be tall enough for a line of its font.
TextPlace lineEditText(const QLineEdit* edit)
{
    const QRect box = edit->contentsRect().adjusted(0, 1, 0, -1); // the box's own vertical margin
    QRect needed(box.topLeft(), QSize(1, edit->fontMetrics().height()));
    return {box, needed};
}

TextPlace textOf(const QWidget* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        return labelText(label);
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return buttonText(button);
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return lineEditText(edit);
    return {};
}

QString nameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

} // namespace

class tst_looks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void noImagePluginMapped();
    void standardIconsAreTheStyles();
    void textFits_data();
    void textFits();
    void helpBoxLinesKeepTheirBreaks();
    void picturesMatchTheScale_data();
    void picturesMatchTheScale();
    void everyPictureHasADoubleOfTwiceTheSize();
    void sourceForScale_data();
    void sourceForScale();
    void windowIcons();
    void appIconIsTheInstalledDrawing();
    void controlsKeepApart();

private:
    std::vector<std::unique_ptr<QWidget>> m_windows;
    QList<QPointer<QWidget>> m_shown;
};

void tst_looks::initTestCase()
{
    installScriptedViews();
    m_windows.push_back(std::make_unique<Calculator>());
    m_windows.push_back(std::make_unique<frmAbout>());
    m_windows.push_back(std::make_unique<frmAbout1>());
    for (auto profile : {Profiles::fenna, Profiles::dova, Profiles::brisa, Profiles::caddo, Profiles::efri})
        m_windows.push_back(std::make_unique<ProfileWindow>(profile()));
    for (const auto& window : m_windows)
        m_shown.append(window.get());
    frmMain::openBrowserWindow();
    QVERIFY(frmMain::current());
    m_shown.append(frmMain::current());
    for (const QPointer<QWidget>& window : std::as_const(m_shown)) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
    }
    const qreal expected
        = qEnvironmentVariableIsSet("QT_SCALE_FACTOR") ? qEnvironmentVariable("QT_SCALE_FACTOR").toDouble() : 1.0;
    QCOMPARE(m_shown.first()->devicePixelRatio(), expected);
}

void tst_looks::cleanupTestCase()
{
    m_windows.clear();
    closeWindows();
}

// Shown, the windows have read their pictures and icons without an image plugin, each of
// which maps libraries of its own (platform/Pictures.h says why). Runs before the style
// check below, whose base style reads its icons Qt's usual way.
void tst_looks::noImagePluginMapped()
{
    QFile maps(u"/proc/self/maps"_s);
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QCOMPARE(maps.readAll().count("/imageformats/"), 0);
}

// The standard icons the application's style reads itself are the very ones its base style
// draws, in both directions.
void tst_looks::standardIconsAreTheStyles()
{
    auto* ours = qobject_cast<QProxyStyle*>(qApp->style());
    QVERIFY(ours);
    const auto pixels = [](const QIcon& icon, const QSize& size) { // not the resolution a file states
        const QImage image = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    };
    for (const auto icon : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
                            QStyle::SP_TitleBarMaxButton, QStyle::SP_LineEditClearButton}) {
        for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
            QStyleOption option;
            option.direction = direction;
            const QIcon drawn = ours->standardIcon(icon, &option, nullptr);
            const QIcon base = ours->baseStyle()->standardIcon(icon, &option, nullptr);
            QCOMPARE(drawn.availableSizes(), base.availableSizes());
            for (const QSize& size : base.availableSizes())
                QCOMPARE(pixels(drawn, size), pixels(base, size));
        }
    }
}

void tst_looks::textFits_data()
{
    QTest::addColumn<QWidget*>("window");
    QTest::addColumn<QWidget*>("control");
    QTest::addColumn<QString>("typed"); // a number typed into the calculator first
    QTest::addColumn<int>("face");      // the readout's for it: 0 designed, 1 smaller, 2 smallest and cut
    int rows = 0;
    for (const QPointer<QWidget>& window : std::as_const(m_shown)) {
        QSet<QString> named;
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(window))
                continue;
            if (!qobject_cast<QLabel*>(w) && !qobject_cast<QAbstractButton*>(w) && !qobject_cast<QLineEdit*>(w))
                continue;
            QString row = nameOf(window) + u'/' + nameOf(w);
            for (int n = 2; named.contains(row); ++n)
                row = nameOf(window) + u'/' + nameOf(w) + u'#' + QString::number(n);
            named.insert(row);
            QTest::newRow(qPrintable(row)) << window.data() << w << QString() << 0;
            ++rows;
        }
    }
    QVERIFY(rows > 80); // every window's controls, not an empty walk
    // The readout shows a number too wide for its designed face smaller, down to a legible
    // 8 points, and past that its end after an ellipsis.
    auto* readout = m_shown.at(0)->findChild<QLabel*>(u"Readout"_s);
    const int fits = readout->contentsRect().width() / readout->fontMetrics().horizontalAdvance(u'0');
    for (const int digits : {fits - 4, fits + 2, 400})
        QTest::newRow(qPrintable(u"Calculator/Readout with %1 digits"_s.arg(digits)))
            << m_shown.at(0).data() << static_cast<QWidget*>(readout)
            << u"1234567890"_s.repeated(digits / 10 + 1).left(digits) << (digits == 400 ? 2 : digits > fits);
}

void tst_looks::textFits()
{
    QFETCH(QWidget*, window);
    QFETCH(QWidget*, control);
    QFETCH(QString, typed);
    QFETCH(int, face);
    if (!typed.isNull()) {
        QTest::keyClicks(window, u'\x1b' + typed); // Esc, then the digits
        const auto* readout = static_cast<QLabel*>(control);
        const qreal points = readout->font().pointSizeF();
        const bool whole = readout->text() == typed + u'.';
        QCOMPARE(points == 12 ? 0 : whole ? 1 : 2, face);
        QVERIFY(points >= 8);
        QVERIFY(whole || (readout->text().startsWith(u'…') && typed.endsWith(readout->text().mid(1).chopped(1))));
        QCOMPARE(readout->toolTip().remove(u'\n'), whole ? QString() : typed + u'.');
        QCOMPARE(readout->accessibleName(), whole ? QString() : typed + u'.');
    }
    const TextPlace place = textOf(control);
    if (place.needed.isEmpty())
        QSKIP("no text");

    const auto describe = [&](const QRect& room) {
        return QStringLiteral("text needs %1 x %2, the room is %3 x %4")
            .arg(place.needed.width())
            .arg(place.needed.height())
            .arg(room.width())
            .arg(room.height());
    };
    // What of the box the window shows: a text running past the window's edge is cut there.
    const QRect shown = QRect(control->mapTo(window, place.box.topLeft()), place.box.size()) & window->rect();
    const QSize needed = place.needed.size();
    const bool widthFits = needed.width() <= place.box.width() && needed.width() <= shown.width();
    const bool heightFits = needed.height() <= place.box.height() && needed.height() <= shown.height();

    if (clippedOnPurpose(window, control)) {
        QVERIFY2(!heightFits, "listed as cut on purpose, but shown whole");
        QVERIFY2(widthFits, qPrintable(u"cut in width as well: "_s + describe(shown)));
        return;
    }
    QVERIFY2(widthFits && heightFits, qPrintable(describe(shown)));
}

// The help text's seven designed lines each stay one line: none wraps in the box.
void tst_looks::helpBoxLinesKeepTheirBreaks()
{
    auto* help = m_shown.at(2)->findChild<QPlainTextEdit*>(u"Text1"_s);
    QVERIFY(help);
    const QFontMetricsF fm(help->font());
    const qreal room = help->viewport()->width() - 2 * help->document()->documentMargin();
    int lines = 0;
    for (QTextBlock block = help->document()->begin(); block.isValid(); block = block.next()) {
        const QString line = block.text();
        if (line.isEmpty())
            continue;
        ++lines;
        QVERIFY2(
            fm.horizontalAdvance(line.trimmed()) <= room,
            qPrintable(u"\""_s + line + u"\" needs %1 of %2"_s.arg(fm.horizontalAdvance(line.trimmed())).arg(room)));
    }
    QCOMPARE(lines, 7);
}

void tst_looks::picturesMatchTheScale_data()
{
    QTest::addColumn<QWidget*>("window");
    QTest::addColumn<QString>("control");
    QTest::newRow("calculator picture") << m_shown.at(0).data() << u"Image1"_s;
    QTest::newRow("about picture") << m_shown.at(1).data() << u"picIcon"_s;
    QTest::newRow("help icon") << m_shown.at(2).data() << u"Image1"_s;
    for (int i = 3; i < 8; ++i)
        QTest::newRow(qPrintable(nameOf(m_shown.at(i)) + u" portrait"_s)) << m_shown.at(i).data() << u"Image1"_s;
}

// Each picture is loaded at the scale's resolution and still takes its designed place. A
// picture box paints what it reads, and is a picture to screen readers.
void tst_looks::picturesMatchTheScale()
{
    QFETCH(QWidget*, window);
    QFETCH(QString, control);
    auto* label = window->findChild<QLabel*>(control);
    QVERIFY(label);
    const auto* box = qobject_cast<PictureBox*>(label);
    const QPixmap picture = box ? QPixmap::fromImage(box->image()) : label->pixmap();
    QVERIFY(!picture.isNull());
    if (box) {
        QCOMPARE(label->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 picture.toImage().convertToFormat(QImage::Format_RGB32));
        QCOMPARE(QAccessible::queryAccessibleInterface(label)->role(), QAccessible::Graphic);
    }
    const int ratio = qRound(window->devicePixelRatio());
    QCOMPARE(picture.devicePixelRatio(), qreal(ratio));
    const QSize shown = picture.deviceIndependentSize().toSize();
    QVERIFY2(label->contentsRect().size().expandedTo(shown) == label->contentsRect().size(),
             "the picture is larger than its place");
    QCOMPARE(picture.size(), shown * ratio);
}

// Every picture of the windows reads, and has its double of exactly twice the size.
void tst_looks::everyPictureHasADoubleOfTwiceTheSize()
{
    int pictures = 0;
    for (const QString& folder : {u":/calculator"_s, u":/mainframe"_s, u":/browser"_s, u":/infowindows"_s}) {
        QDirIterator it(folder, QDir::Files);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains(u"@2x"_s))
                continue;
            ++pictures;
            const QImage one = Pictures::image(path, 1.0);
            const QImage two = Pictures::image(path, 2.0);
            QVERIFY2(!one.isNull() && two.devicePixelRatio() == 2, qPrintable(path + u" has no @2x version"_s));
            QCOMPARE(two.size(), one.size() * 2);
        }
    }
    QCOMPARE(pictures, 17);
}

// The scales between and beyond the pictures there are; the 1x and 2x cases are the
// windows' own, above.
void tst_looks::sourceForScale_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("expectedRatio");
    QTest::newRow("1.5x screen takes the sharper one")
        << u":/calculator/picture"_s << 1.5 << u":/calculator/picture@2x"_s << 2;
    QTest::newRow("3x screen takes the largest there is")
        << u":/mainframe/background"_s << 3.0 << u":/mainframe/background@2x"_s << 2;
    QTest::newRow("no double: the 1x file") << u":/icons/app/22"_s << 2.0 << u":/icons/app/22"_s << 1;
    QTest::newRow("missing file stays as named") << u":/nowhere/x"_s << 2.0 << u":/nowhere/x"_s << 1;
}

void tst_looks::sourceForScale()
{
    QFETCH(QString, path);
    QFETCH(qreal, ratio);
    QFETCH(QString, expected);
    QFETCH(int, expectedRatio);
    const Pictures::Source source = Pictures::sourceFor(path, ratio);
    QCOMPARE(source.path, expected);
    QCOMPARE(source.ratio, expectedRatio);
}

// The help box shows no window icon; the calculator and the frame keep their own, drawn
// for the scale.
void tst_looks::windowIcons()
{
    const QImage helpIcon = m_shown.at(2)->windowIcon().pixmap(QSize(16, 16)).toImage();
    QVERIFY(!helpIcon.isNull());
    for (int y = 0; y < helpIcon.height(); ++y)
        for (int x = 0; x < helpIcon.width(); ++x)
            QVERIFY2(qAlpha(helpIcon.pixel(x, y)) == 0, "the help box shows a window icon");
    const qreal ratio = m_shown.at(0)->devicePixelRatio();
    const struct
    {
        QWidget* window;
        QString picture;
    } owners[] = {{m_shown.at(0), u":/calculator/icon"_s}, {frmMain::current(), u":/mainframe/frmMain"_s}};
    for (const auto& [window, picture] : owners) {
        const QIcon icon = window->windowIcon();
        QVERIFY(!icon.isNull());
        const QImage drawn = icon.pixmap(QSize(32, 32), ratio).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage designed = Pictures::image(picture, ratio).convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(drawn.size(), designed.size());
        QVERIFY2(drawn == designed, qPrintable(picture + u" is not drawn from its picture for the scale"_s));
    }
}

// The icon the windows show is the very file the desktop entry's theme icon is, size for
// size, so that the taskbar and the menu show the same picture.
void tst_looks::appIconIsTheInstalledDrawing()
{
    if (qApp->devicePixelRatio() != 1.0)
        QSKIP("checked at scale 1");
    const QIcon icon = AppIcon::icon();
    QCOMPARE(icon.availableSizes().size(), AppIcon::windowSizes().size());
    for (const int size : AppIcon::windowSizes()) {
        const QString installed = QStringLiteral(CALCULATOR_SOURCE_DIR "/assets/icons/hicolor/%1x%1/apps/%2.png")
                                      .arg(size)
                                      .arg(AppIcon::desktopId());
        const QImage expected = QImage(installed).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(!expected.isNull(), qPrintable(installed));
        QCOMPARE(icon.pixmap(QSize(size, size), 1.0).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 expected);
    }
}

// No control covers another's text, nor a text another control: a place typed wrong
// shows here even when its text still fits its own box. (The designed label boxes
// overlap by a pixel; the texts in them do not.)
void tst_looks::controlsKeepApart()
{
    for (const QPointer<QWidget>& window : std::as_const(m_shown)) {
        QList<std::pair<QWidget*, QRect>> taken; // each control with what of it shows, in its parent
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const TextPlace text = textOf(w);
            const bool label = qobject_cast<QLabel*>(w);
            if (w->isVisibleTo(window) && (label || text.box.isValid())) // a label's text, else the whole control
                taken.append({w, label && !text.needed.isEmpty() ? text.needed.translated(w->pos()) : w->geometry()});
        }
        for (qsizetype a = 0; a < taken.size(); ++a)
            for (qsizetype b = a + 1; b < taken.size(); ++b)
                QVERIFY2(taken[a].first->parentWidget() != taken[b].first->parentWidget()
                             || !taken[a].second.intersects(taken[b].second),
                         qPrintable(nameOf(window) + u": "_s + nameOf(taken[a].first) + u" meets "_s
                                    + nameOf(taken[b].first)));
    }
}

int main(int argc, char* argv[])
{
    CalculatorApplication app(argc, argv);
    app.setWindowIcon(AppIcon::icon());
    tst_looks test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_looks.moc"
