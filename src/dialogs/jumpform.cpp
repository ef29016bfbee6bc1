#include "dialogs/jumpform.h"

#include "dialogs/named.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>

namespace velmoro::dialogs {

TjumpForm::TjumpForm(app::WindowFlags& flags, JumpActions actions, QWidget* parent)
    : HotKeyDialog(flags, parent),
      Label2(Named(new QLabel(QStringLiteral("File contenuti nella playlist"), this), "Label2")),
      playListBox(Named(new QListView(this), "playListBox")),
      Label1(Named(new QLabel(QStringLiteral("Testo da cercare"), this), "Label1")),
      jumpEdit(Named(new QLineEdit(this), "jumpEdit")),
      Button2(Named(new QPushButton(QStringLiteral("&Chiudi"), this), "Button2")),
      m_actions(std::move(actions)), m_shown(new QStringListModel(this))
{
    setObjectName(QStringLiteral("jumpForm"));
    setWindowTitle(QStringLiteral("Vai alla canzone"));

    Label2->move(8, 8);
    playListBox->setGeometry(8, 24, 337, 185);
    Label1->move(8, 216);
    jumpEdit->setGeometry(8, 232, 337, 21);
    Button2->setGeometry(8, 264, 339, 25);
    setFixedSize(355, 297);

    // Ten thousand rows of one height: the view measures one.
    playListBox->setUniformItemSizes(true);
    playListBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
    playListBox->setModel(m_shown);
    Button2->setAutoDefault(false);
    setTabOrder(playListBox, jumpEdit);
    setTabOrder(jumpEdit, Button2);

    connect(jumpEdit, &QLineEdit::textChanged, this, &TjumpForm::jumpEditChange);
    connect(playListBox, &QListView::doubleClicked, this, &TjumpForm::playListBoxDblClick);
    connect(Button2, &QPushButton::clicked, this, &TjumpForm::Button2Click);
}

void TjumpForm::showEvent(QShowEvent* event)
{
    HotKeyDialog::showEvent(event);
    FormShow();
    jumpEdit->setFocus();
}

void TjumpForm::FormShow()
{
    m_rows = JumpRows(m_actions.playlistRows ? m_actions.playlistRows() : QStringList());
    m_shown->setStringList(m_rows.Rows());
}

void TjumpForm::jumpEditChange()
{
    m_shown->setStringList(m_rows.Filter(jumpEdit->text()));
}

void TjumpForm::playListBoxDblClick()
{
    const QModelIndex current = playListBox->currentIndex();
    if (!current.isValid())
        return;
    const std::optional<int> entry = m_rows.IndexOfRow(current.data().toString());
    if (entry && m_actions.playEntry)
        m_actions.playEntry(*entry);
}

QStringList TjumpForm::ShownRows() const
{
    return m_shown->stringList();
}

} // namespace velmoro::dialogs
