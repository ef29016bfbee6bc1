#include "options/settingsbinder.h"

#include "platform/logging.h"
#include "platform/verify.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>

namespace velmoro::options {

namespace {

using settings::Settings;
using Kind = Settings::Kind;

// Each binder shows the setting on the control with the control's signals
// blocked, so that showing never writes back; the settings object in turn
// ignores a write that leaves a value as it is, so the two cannot echo.
template <typename Show>
void FollowSetting(QWidget* control, Settings& settings, const QString& name, Show show)
{
    show();
    QObject::connect(&settings, &Settings::Changed, control, [control, name, show](const QString& changed) {
        if (changed != name)
            return;
        const QSignalBlocker quiet(control);
        show();
    });
}

bool BindButton(QAbstractButton* button, Settings& settings, const QString& name)
{
    if (!button)
        return false;
    FollowSetting(button, settings, name,
                  [button, &settings, name] { button->setChecked(settings.Checked(name)); });
    // A radio button is unchecked by checking another of its group.
    const bool radio = settings.KindOf(name) == Kind::Radio;
    QObject::connect(button, &QAbstractButton::toggled, &settings, [&settings, name, radio](bool checked) {
        if (checked || !radio)
            settings.SetChecked(name, checked);
    });
    return true;
}

// Track bars and spin edits: the same range and value, and no common base.
template <typename Ranged> bool BindRanged(Ranged* control, Settings& settings, const QString& name)
{
    if (!control)
        return false;
    FollowSetting(control, settings, name, [control, &settings, name] {
        control->setRange(settings.Minimum(name), settings.Maximum(name));
        control->setValue(settings.Position(name));
    });
    QObject::connect(control, &Ranged::valueChanged, &settings,
                     [&settings, name](int value) { settings.SetPosition(name, value); });
    return true;
}

bool BindEdit(QLineEdit* edit, Settings& settings, const QString& name)
{
    if (!edit)
        return false;
    FollowSetting(edit, settings, name, [edit, &settings, name] {
        if (edit->text() != settings.Text(name))
            edit->setText(settings.Text(name));
    });
    QObject::connect(edit, &QLineEdit::textEdited, &settings,
                     [&settings, name](const QString& text) { settings.SetText(name, text); });
    return true;
}

bool BindList(QListWidget* list, Settings& settings, const QString& name)
{
    if (!list)
        return false;
    FollowSetting(list, settings, name, [list, &settings, name] {
        const QStringList lines = settings.Lines(name);
        QStringList shown;
        for (int row = 0; row < list->count(); ++row)
            shown << list->item(row)->text();
        if (shown != lines) {
            list->clear();
            list->addItems(lines);
        }
        // A list of one selected line selects its current line; a list of
        // several keeps each line's own selection. Qt changes the selection
        // before the current line, so each is set only when it differs.
        const int current = settings.ItemIndex(name);
        if (list->selectionMode() == QAbstractItemView::SingleSelection) {
            if (list->currentRow() != current)
                list->setCurrentRow(current);
            if (current < 0)
                list->clearSelection();
            return;
        }
        for (int row = 0; row < list->count(); ++row)
            if (list->item(row)->isSelected() != settings.Selected(name, row))
                list->item(row)->setSelected(settings.Selected(name, row));
        if (list->currentRow() != current)
            list->setCurrentRow(current, QItemSelectionModel::NoUpdate);
    });
    QObject::connect(list, &QListWidget::currentRowChanged, &settings,
                     [&settings, name](int row) { settings.SetItemIndex(name, row); });
    if (list->selectionMode() != QAbstractItemView::SingleSelection) {
        QObject::connect(list, &QListWidget::itemSelectionChanged, &settings, [list, &settings, name] {
            for (int row = 0; row < list->count(); ++row)
                settings.SetSelected(name, row, list->item(row)->isSelected());
        });
    }
    return true;
}

bool BindCombo(QComboBox* combo, Settings& settings, const QString& name)
{
    if (!combo)
        return false;
    FollowSetting(combo, settings, name, [combo, &settings, name] {
        const QStringList lines = settings.Lines(name);
        QStringList shown;
        for (int row = 0; row < combo->count(); ++row)
            shown << combo->itemText(row);
        if (shown != lines) {
            combo->clear();
            combo->addItems(lines);
        }
        combo->setCurrentIndex(settings.ItemIndex(name));
    });
    QObject::connect(combo, &QComboBox::currentIndexChanged, &settings,
                     [&settings, name](int row) { settings.SetItemIndex(name, row); });
    return true;
}

bool Bind(QWidget* control, Settings& settings, const QString& name)
{
    switch (settings.KindOf(name)) {
    case Kind::Check:
    case Kind::Radio:
        return BindButton(qobject_cast<QAbstractButton*>(control), settings, name);
    case Kind::Track:
        if (auto* spin = qobject_cast<QSpinBox*>(control))
            return BindRanged(spin, settings, name);
        return BindRanged(qobject_cast<QAbstractSlider*>(control), settings, name);
    case Kind::Edit:
        return BindEdit(qobject_cast<QLineEdit*>(control), settings, name);
    case Kind::List:
        return BindList(qobject_cast<QListWidget*>(control), settings, name);
    case Kind::Combo:
        return BindCombo(qobject_cast<QComboBox*>(control), settings, name);
    }
    return false;
}

} // namespace

int BindSettings(QWidget& root, Settings& settings)
{
    int bound = 0;
    for (QWidget* control : root.findChildren<QWidget*>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || !settings.Has(name))
            continue;
        const bool fits = Bind(control, settings, name);
        VELMORO_VERIFY_OR_DEBUG_ASSERT(fits)
        {
            qCWarning(lcSettings) << "the control" << name << "is not of its setting's kind";
            continue;
        }
        ++bound;
    }
    return bound;
}

} // namespace velmoro::options
