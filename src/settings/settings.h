#pragma once
// The settings of the program: one value per control of the options window,
// under the control's name, with its initial value and range. Every reader
// asks at the moment of use; the options window shows and edits the same
// object. settingsfile.h keeps them from one run to the next.
// UI thread only; code on other threads reads mirrors that the owner keeps.
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <map>

namespace velmoro::settings {

class Settings : public QObject {
    Q_OBJECT
public:
    enum class Kind { Check, Radio, Track, Edit, List, Combo };

    explicit Settings(QObject* parent = nullptr);

    bool Has(const QString& name) const;
    Kind KindOf(const QString& name) const;
    QStringList Names() const;

    // Check boxes and radio buttons. Checking a radio button unchecks the
    // others of its group.
    bool Checked(const QString& name) const;
    void SetChecked(const QString& name, bool checked);
    // The checked radio button of a group, or an empty name.
    QString CheckedInGroup(const QString& group) const;

    // Track bars and spin edits: positions are kept within the range.
    int Position(const QString& name) const;
    void SetPosition(const QString& name, int position);
    int Minimum(const QString& name) const;
    int Maximum(const QString& name) const;
    void SetRange(const QString& name, int minimum, int maximum);

    // Edit fields.
    QString Text(const QString& name) const;
    void SetText(const QString& name, const QString& text);

    // Lists and drop-down lists: lines, the current line (−1 none) and, for
    // lists with several selectable lines, each line's selection.
    QStringList Lines(const QString& name) const;
    void SetLines(const QString& name, const QStringList& lines);
    int ItemIndex(const QString& name) const;
    void SetItemIndex(const QString& name, int index);
    bool Selected(const QString& name, int line) const;
    void SetSelected(const QString& name, int line, bool selected);

signals:
    // A value changed (not emitted when a set leaves it as it was).
    void Changed(const QString& name);

private:
    struct Value {
        Kind kind = Kind::Check;
        QString group;
        bool checked = false;
        int position = 0;
        int minimum = 0;
        int maximum = 0;
        QString text;
        QStringList lines;
        int itemIndex = -1;
        QList<bool> selected;
    };
    void Define(const QString& name, Value value);
    const Value* Find(const QString& name, Kind kind) const;
    Value* Find(const QString& name, Kind kind);
    const Value& Read(const QString& name, Kind kind) const;

    std::map<QString, Value> m_values;
};

} // namespace velmoro::settings
