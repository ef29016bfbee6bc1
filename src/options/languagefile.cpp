#include "options/languagefile.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMovie>
#include <QTabBar>
#include <QTabWidget>

#include <cerrno>
#include <optional>

namespace velmoro::options {

namespace {

// One captioned component: where its caption is read and written.
class Captioned {
public:
    enum class Kind { Label, Button, GroupBox, TabPage, MenuItem };

    Captioned(QString key, QObject* object, Kind kind, int tab = -1)
        : key(std::move(key)), m_object(object), m_kind(kind), m_tab(tab)
    {
    }

    QString Text() const
    {
        switch (m_kind) {
        case Kind::Label:
            return static_cast<QLabel*>(m_object)->text();
        case Kind::Button:
            return static_cast<QAbstractButton*>(m_object)->text();
        case Kind::GroupBox:
            return static_cast<QGroupBox*>(m_object)->title();
        case Kind::TabPage:
            return static_cast<QTabWidget*>(m_object)->tabText(m_tab);
        case Kind::MenuItem:
            return static_cast<QAction*>(m_object)->text();
        }
        return {};
    }

    void SetText(const QString& text) const
    {
        switch (m_kind) {
        case Kind::Label:
            static_cast<QLabel*>(m_object)->setText(text);
            break;
        case Kind::Button:
            static_cast<QAbstractButton*>(m_object)->setText(text);
            break;
        case Kind::GroupBox:
            static_cast<QGroupBox*>(m_object)->setTitle(text);
            break;
        case Kind::TabPage:
            static_cast<QTabWidget*>(m_object)->setTabText(m_tab, text);
            break;
        case Kind::MenuItem:
            static_cast<QAction*>(m_object)->setText(text);
            break;
        }
    }

    QString key;

private:
    QObject* m_object;
    Kind m_kind;
    int m_tab;
};

// Names Qt gives the parts of its own composite widgets.
bool OwnName(const QString& name)
{
    return !name.isEmpty() && !name.startsWith(u"qt_");
}

std::optional<Captioned> AsCaptioned(QObject* object)
{
    using enum Captioned::Kind;
    const QString name = object->objectName();
    if (!OwnName(name))
        return std::nullopt;
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (action->isSeparator() || action->text() == u"-")
            return std::nullopt;
        return Captioned(name, object, MenuItem);
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        if (!label->pixmap().isNull() || label->movie() || label->property(kPictureProperty).toBool())
            return std::nullopt;
        return Captioned(name, object, Label);
    }
    if (qobject_cast<QAbstractButton*>(object))
        return Captioned(name, object, Button);
    if (qobject_cast<QGroupBox*>(object))
        return Captioned(name, object, GroupBox);
    return std::nullopt;
}

// Widgets whose children are Qt's own parts, never components of ours.
bool Composite(const QObject* object)
{
    return qobject_cast<const QTabBar*>(object) || qobject_cast<const QComboBox*>(object) ||
           qobject_cast<const QAbstractSpinBox*>(object);
}

// Another window, though a child of this one, has a section of its own;
// a popup menu is part of the window that owns it.
bool OtherWindow(const QObject* object)
{
    if (!object->isWidgetType() || qobject_cast<const QMenu*>(object))
        return false;
    return static_cast<const QWidget*>(object)->isWindow();
}

void Collect(const QObject& parent, QList<Captioned>& out)
{
    for (QObject* child : parent.children()) {
        if (OtherWindow(child))
            continue;
        if (const auto captioned = AsCaptioned(child))
            out << *captioned;
        if (auto* tabs = qobject_cast<QTabWidget*>(child)) {
            for (int tab = 0; tab < tabs->count(); ++tab) {
                const QString page = tabs->widget(tab)->objectName();
                if (OwnName(page))
                    out << Captioned(page, tabs, Captioned::Kind::TabPage, tab);
            }
        }
        if (!Composite(child))
            Collect(*child, out);
    }
}

// In the order the window owns them, depth first.
QList<Captioned> CaptionedComponents(const QWidget& window)
{
    QList<Captioned> out;
    Collect(window, out);
    return out;
}

} // namespace

void WriteCaptions(const QList<QWidget*>& windows, platform::ProfileFile& file)
{
    for (const QWidget* window : windows) {
        const QString section = window->objectName();
        file.SetValue(section, section, window->windowTitle());
        for (const Captioned& component : CaptionedComponents(*window))
            file.SetValue(section, component.key, component.Text());
    }
    const QString tags = QStringLiteral("LangTags");
    file.SetValue(tags, QStringLiteral("Author"), QStringLiteral("Player"));
    file.SetValue(tags, QStringLiteral("Lang"), QStringLiteral("Italiano"));
    file.SetValue(tags, QStringLiteral("Comment"), QString());
}

void ApplyCaptions(const platform::ProfileFile& file, QWidget& window)
{
    const QString section = window.objectName();
    if (file.Contains(section, section))
        window.setWindowTitle(file.Value(section, section));
    for (const Captioned& component : CaptionedComponents(window)) {
        if (file.Contains(section, component.key))
            component.SetText(file.Value(section, component.key));
    }
}

int WriteLanguageFile(const QString& path, const QList<QWidget*>& windows)
{
    platform::ProfileFile file;
    // The keys of a file that is there but cannot be read would be lost.
    if (const int error = file.Load(path); error != 0 && error != ENOENT)
        return error;
    WriteCaptions(windows, file);
    QDir().mkpath(QFileInfo(path).absolutePath());
    return file.Save(path);
}

QStringList LanguageFileNames(const QStringList& folders)
{
    QStringList names;
    for (const QString& folder : folders)
        names << QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files);
    names.removeDuplicates();
    names.sort(Qt::CaseInsensitive);
    return names;
}

bool Language::Load(const QString& path)
{
    platform::ProfileFile file;
    if (file.Load(path) != 0)
        return false;
    m_file = std::move(file);
    m_name = QFileInfo(path).fileName();
    return true;
}

void Language::ApplyTo(QWidget& window) const
{
    if (!m_name.isEmpty())
        ApplyCaptions(m_file, window);
}

} // namespace velmoro::options
