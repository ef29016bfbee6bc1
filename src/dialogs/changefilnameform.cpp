#include "dialogs/changefilnameform.h"

#include "dialogs/named.h"
#include "platform/verify.h"
#include "playlist/listpaths.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace velmoro::dialogs {

TChangeFilnameForm::TChangeFilnameForm(app::WindowFlags& flags, playlist::TMPEGAudioList& playlist,
                                       QWidget* parent)
    : HotKeyDialog(flags, parent),
      Label1(Named(new QLabel(QStringLiteral("Nome del file attuale"), this), "Label1")),
      LineaEdit(Named(new QLineEdit(this), "LineaEdit")),
      Label2(Named(new QLabel(QStringLiteral("Nome del modificato"), this), "Label2")),
      ModificaEdit(Named(new QLineEdit(this), "ModificaEdit")),
      ButtonModifica(Named(new QPushButton(QStringLiteral("Modifica"), this), "ButtonModifica")),
      ButtonClose(Named(new QPushButton(QStringLiteral("&Close"), this), "ButtonClose")), m_playlist(playlist)
{
    setObjectName(QStringLiteral("ChangeFilnameForm"));
    setWindowTitle(QStringLiteral("File della playlist"));

    setFixedSize(353, 138);
    Label1->move(8, 8);
    LineaEdit->setGeometry(8, 24, 337, 21);
    LineaEdit->setReadOnly(true);
    Label2->move(8, 52);
    ModificaEdit->setGeometry(8, 68, 337, 21);
    ButtonModifica->setGeometry(8, 104, 163, 25);
    ButtonClose->setGeometry(182, 104, 163, 25);
    ButtonModifica->setDefault(true);
    setTabOrder(ModificaEdit, ButtonModifica);
    setTabOrder(ButtonModifica, ButtonClose);

    connect(ButtonModifica, &QPushButton::clicked, this, &TChangeFilnameForm::ButtonModificaClick);
    connect(ButtonClose, &QPushButton::clicked, this, &TChangeFilnameForm::ButtonCloseClick);
}

void TChangeFilnameForm::SetEntry(int index, const QString& fileName)
{
    FileToShow = fileName;
    LineaEdit->setText(fileName);
    ModificaEdit->setText(fileName);
    EntryIndex = index;
}

void TChangeFilnameForm::ButtonModificaClick()
{
    // The list may have shrunk since the entry was chosen.
    VELMORO_VERIFY_OR_DEBUG_ASSERT(EntryIndex >= 0 && EntryIndex < m_playlist.Count())
    {
        close();
        return;
    }
    // The list's entries read only when told to; an address is no file to read.
    trackinfo::TMPEGAudio& entry = m_playlist.Items(EntryIndex);
    entry.SetFileName(ModificaEdit->text());
    if (!entry.AutoLoad && !playlist::IsAddress(entry.GetFileName()))
        entry.ReadData();
    if (OnEntryChanged)
        OnEntryChanged();
    close();
}

} // namespace velmoro::dialogs
