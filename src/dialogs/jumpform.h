#pragma once
// TjumpForm, "Vai alla canzone": finds a playlist row by typed text and
// plays it. The list follows the search text as it stands after each edit.
#include "dialogs/hotkeydialog.h"
#include "dialogs/jumpmodel.h"

#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStringListModel;

namespace velmoro::dialogs {

// What the dialog asks of the player.
struct JumpActions {
    // The playlist window's rows as it shows them; row i is entry i.
    std::function<QStringList()> playlistRows;
    // Makes entry index the current one and plays it.
    std::function<void(int index)> playEntry;
};

class TjumpForm : public HotKeyDialog {
    Q_OBJECT
public:
    TjumpForm(app::WindowFlags& flags, JumpActions actions, QWidget* parent = nullptr);

    void FormShow();            // fills the list with every row
    void jumpEditChange();      // the list again, for the text as it is now
    void playListBoxDblClick(); // plays the selected row; the dialog stays open
    void Button2Click() { close(); }

    // The rows the list shows now.
    QStringList ShownRows() const;

    QLabel* Label2;
    QListView* playListBox;
    QLabel* Label1;
    QLineEdit* jumpEdit;
    QPushButton* Button2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    JumpActions m_actions;
    JumpRows m_rows;
    QStringListModel* m_shown;
};

} // namespace velmoro::dialogs
