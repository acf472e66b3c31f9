#include "infowindows/ProfileWindow.h"

#include "infowindows/InfoControls.h"
#include "platform/Pictures.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

constexpr int LineHeight = 255;
constexpr int LineStep = 240;

QString text(const char16_t* s)
{
    return QString::fromUtf16(s);
}

} // namespace

ProfileWindow::ProfileWindow(const Profiles::Profile& p, QWidget* parent)
    : QDialog(parent)
{
    using namespace InfoControls;
    setObjectName(QLatin1String(p.windowName));
    setWindowTitle(text(p.member));
    // A sizable border with no minimise or maximise button; nothing moves on resize.
    frameWindow(this, p.clientWidth, p.clientHeight);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    const QPixmap photo = Pictures::pixmap(QLatin1String(p.photo));
    image1->setPixmap(photo);
    // The photo's natural size in the window, whichever resolution was loaded.
    const QSize natural = photo.deviceIndependentSize().toSize();
    image1->setGeometry(Twips::toPixels(120), Twips::toPixels(120), natural.width(), natural.height());
    image1->setAccessibleName(text(p.member) % u" (portrait)");

    // Each label reaches to the window's right margin, within the widths the layout allows.
    const int width = std::clamp(p.clientWidth - p.labelLeft - 120, 1815, 4575);
    QFont bold = font();
    bold.setBold(true);
    int index = 0;
    const auto addLine = [&](const QString& caption, int top, bool heading) {
        QLabel* l = label(this, "", caption, p.labelLeft, top, width, LineHeight, true);
        l->setObjectName(QStringLiteral("Label%1").arg(++index));
        if (heading)
            l->setFont(bold);
    };
    addLine(QStringLiteral("Facts"), 120, true);
    int top = p.firstFactTop;
    for (const Profiles::Line& fact : p.facts) {
        addLine(text(fact.prefix) + text(fact.value), top, false);
        top += LineStep;
    }
    addLine(text(p.familyHeader), p.familyTop, true);
    top = p.familyTop + LineStep;
    for (const Profiles::Line& member : p.family) {
        addLine(text(member.prefix) + text(member.value), top, false);
        top += LineStep;
    }

    line(this, "Line1", p.lineLeft, p.lineRight, p.lineY, palette().color(QPalette::WindowText));
    const QString link = p.linkNamesMember
        ? u"....view " % text(p.member) % u"'s complete profile at Ardel's Corvel Universe."
        : QStringLiteral("....view her complete profile at Ardel's Corvel Universe");
    label(this, "lblLink", link, p.linkLeft, p.linkTop, p.linkWidth, p.linkHeight, true);

    QPushButton* cmdOK = button(this, "cmdOK", QStringLiteral("OK"), p.okLeft, p.okTop, 1260, 345);
    cmdOK->setDefault(true);
    cmdOK->setToolTip(QStringLiteral("Closes this window"));
    connect(cmdOK, &QPushButton::clicked, this, &ProfileWindow::cmdOK_Click);
    cmdOK->setFocus();
}

void ProfileWindow::showModal(const Profiles::Profile& profile, QWidget* parent)
{
    InfoControls::showModal<ProfileWindow>(parent, profile);
}

void ProfileWindow::cmdOK_Click()
{
    accept();
}
