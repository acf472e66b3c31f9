#include "AccessibleTree.h"

#include <QMetaEnum>
#include <QSet>
#include <QWidget>

namespace AccessibleTree {
namespace {

// Menus can lead back to widgets that are already on the path; the depth bound keeps
// a faulty tree from looping forever.
constexpr int MaxDepth = 40;

QString label(QAccessibleInterface* iface)
{
    const QString name = iface->text(QAccessible::Name);
    QString objectName;
    if (iface->object())
        objectName = iface->object()->objectName();
    QString text = roleName(iface->role());
    if (!objectName.isEmpty())
        text += u'#' % objectName;
    if (!name.isEmpty())
        text += u"\"" % name % u'"';
    return text;
}

void walkFrom(QAccessibleInterface* iface, const QString& parentPath, int depth,
              const std::function<void(const Node&)>& visit,
              const std::function<bool(QAccessibleInterface*)>& prune)
{
    if (!iface || !iface->isValid() || depth > MaxDepth)
        return;
    const QString path = parentPath.isEmpty() ? label(iface) : parentPath % u" > " % label(iface);
    visit(Node{iface, path});
    if (prune && prune(iface))
        return;
    for (int i = 0; i < iface->childCount(); ++i)
        walkFrom(iface->child(i), path, depth + 1, visit, prune);
}

bool hidden(QAccessibleInterface* iface)
{
    return iface->state().invisible;
}

} // namespace

void walk(QAccessibleInterface* root, const std::function<void(const Node&)>& visit,
          const std::function<bool(QAccessibleInterface*)>& prune)
{
    walkFrom(root, QString(), 0, visit, prune);
}

bool needsName(QAccessible::Role role)
{
    using R = QAccessible::Role;
    static const QSet<R> named{R::Window,      R::Dialog,     R::MenuItem,     R::PopupMenu,
                               R::ButtonMenu,  R::ButtonDropDown, R::PushButton, R::CheckBox,
                               R::RadioButton, R::ComboBox,   R::EditableText, R::StaticText,
                               R::Link,        R::PageTab,    R::SpinBox,      R::Slider,
                               R::ToolBar,     R::ListItem};
    return named.contains(role);
}

QStringList unnamed(QAccessibleInterface* root, const std::function<bool(QAccessibleInterface*)>& prune)
{
    QStringList found;
    walk(
        root,
        [&found](const Node& node) {
            if (hidden(node.iface) || !needsName(node.iface->role()))
                return;
            if (node.iface->text(QAccessible::Name).trimmed().isEmpty())
                found.append(u"unnamed: " % node.path);
        },
        prune);
    return found;
}

QStringList tooltipsNotDescribed(QAccessibleInterface* root,
                                 const std::function<bool(QAccessibleInterface*)>& prune)
{
    QStringList found;
    walk(
        root,
        [&found](const Node& node) {
            const auto* widget = qobject_cast<const QWidget*>(node.iface->object());
            if (!widget || widget->toolTip().isEmpty())
                return;
            const QString description = node.iface->text(QAccessible::Description);
            if (description != widget->toolTip())
                found.append(u"tooltip not described: " % node.path % u": description \"" % description % u"\", tooltip \""
                             % widget->toolTip() % u'"');
        },
        prune);
    return found;
}

QString roleName(QAccessible::Role role)
{
    const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    const char* key = roles.valueToKey(role);
    return key ? QString::fromLatin1(key) : QString::number(int(role));
}

} // namespace AccessibleTree
