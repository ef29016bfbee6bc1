#include "player/commandtable.h"

#include "platform/verify.h"

#include <algorithm>
#include <array>

namespace velmoro::player {

namespace {

using A = PlayerActions;
using enum CommandId;

// The scan codes are the letters' places on the keyboard (set 1), whatever
// the layout prints on them; the arrows have no letter. The about item's
// caption is the web label of the application title, with five dots.
constexpr std::array kCommands{
    CommandEntry{AboutWindow, "WWWSitoAutore1", "www.velmoro.it.....", 0, 0, &A::ShowAbout},
    CommandEntry{OpenFile, "ApriFile1", "Apri File ...", 'A', 30, &A::OpenFiles},
    CommandEntry{OpenUrl, "ApriURL1", "Apri URL ...", 'U', 22, &A::OpenUrl},
    CommandEntry{Play, "Play2", "Play", 'X', 45, &A::Play},
    CommandEntry{Pause, "Puuse1", "Pause", 'C', 46, &A::Pause},
    CommandEntry{Stop, "Stop1", "Stop", 'V', 47, &A::Stop},
    CommandEntry{Previous, "Precedente1", "Precedente <<", 'Z', 44, &A::Previous},
    CommandEntry{Next, "Prossima1", "Prossima  >>", 'B', 48, &A::Next},
    CommandEntry{BackFiveSeconds, "Vaiallacanzone1", "Indietro di 5 secondi", 0, 75, &A::BackFiveSeconds},
    CommandEntry{ForwardFiveSeconds, "Vaiallaposizione1", "Avanti di 5 secondi", 0, 77,
                 &A::ForwardFiveSeconds},
    CommandEntry{JumpToFile, "Vaialfile1", "Vai al file ...", 'D', 32, &A::JumpToFile},
    CommandEntry{JumpToPosition, "Vaiallaposizione2", "Vai alla posizione ...", 'F', 33, &A::JumpToPosition},
    CommandEntry{EditBookmarks, "Segnalibri1", "Modifica ...", 0, 0, &A::EditBookmarks},
    CommandEntry{AddCurrentBookmark, "AggiungiCorrente1", "Aggiungi Corrente", 0, 0, &A::AddCurrentBookmark},
    CommandEntry{FileInfo, "InformazioniFile1", "Informazioni File ...", 'W', 17, &A::ShowFileInfo},
    CommandEntry{ReportBug, "TrovatounBUG1", "Trovato un BUG ...", 0, 0, &A::ReportBug},
    CommandEntry{VisOscilloscope, "Oscilloscopio1", "Oscilloscopio", 0, 0, &A::ShowOscilloscope},
    CommandEntry{VisVUMeter, "VUMeter1", "VU Meter", 0, 0, &A::ShowVUMeter},
    CommandEntry{VisSpectrum, "Spettro1", "Spettro", 0, 0, &A::ShowSpectrum},
    CommandEntry{VisPlugin, "Plugin1", "Plugin", 0, 0, &A::ShowPlugin},
    CommandEntry{VisNone, "Nessuno1", "Nessuno", 0, 0, &A::ShowNothing},
    CommandEntry{VisSettings, "Carica1", "Settaggi Visualizzazione ...", 0, 0, &A::ShowVisSettings},
    CommandEntry{StartVisPlugin, "Start1", "Avvia Plugin Visuale", 0, 0, &A::StartVisPlugin},
    CommandEntry{StopVisPlugin, "Stop2", "Ferma Plugin Visuale", 0, 0, &A::StopVisPlugin},
    CommandEntry{Options, "Settaggi1", "Settaggi ...", 'O', 24, &A::ShowOptions},
    CommandEntry{SkinBrowser, "SkinsBrowse", "Skins ...", 'K', 37, &A::ShowSkinBrowser},
    CommandEntry{Shuffle, "Shuffle1", "Shuffle", 'S', 31, &A::ToggleShuffle},
    CommandEntry{Repeat, "Repeat1", "Repeat", 'R', 19, &A::ToggleRepeat},
    CommandEntry{StayOnTop, "Sempreinprimopiano1", "Sempre in primo piano", 'T', 20, &A::ToggleStayOnTop},
    CommandEntry{CountDown, "Contoallarovescia1", "Conto alla rovescia/normale", 'I', 23,
                 &A::ToggleCountDown},
    CommandEntry{ShowPlaylist, "Playlist1", "Playlist", 'P', 25, &A::ShowPlaylist},
    CommandEntry{Equalizer, "Equalizatore1", "Equalizatore", 'E', 18, &A::Equalizer},
    CommandEntry{SoundSettings, "Pannellodicontrollo1", "Pannello di controllo", 'L', 38,
                 &A::OpenSoundSettings},
    CommandEntry{Exit, "MenuEsci", "Esci", 0, 0, &A::Exit},
    CommandEntry{VolumeUp, "", "", 0, 72, &A::VolumeUp},
    CommandEntry{VolumeDown, "", "", 0, 80, &A::VolumeDown},
    CommandEntry{DoubleSize, "", "", 0, 0, &A::ToggleDoubleSize, 32}, // Ctrl+D
};

template <typename Match> const CommandEntry* FindIf(Match match)
{
    const auto it = std::find_if(kCommands.begin(), kCommands.end(), match);
    return it == kCommands.end() ? nullptr : &*it;
}

} // namespace

std::span<const CommandEntry> PlayerCommandTable()
{
    return kCommands;
}

const CommandEntry* FindCommand(CommandId id)
{
    return FindIf([id](const CommandEntry& e) { return e.id == id; });
}

const CommandEntry* FindCommandByName(QStringView objectName)
{
    if (objectName.isEmpty())
        return nullptr;
    return FindIf([objectName](const CommandEntry& e) { return objectName == QLatin1String(e.objectName); });
}

const CommandEntry* FindCommandByScanCode(int scanCode)
{
    if (scanCode == 0)
        return nullptr;
    return FindIf([scanCode](const CommandEntry& e) { return e.scanCode == scanCode; });
}

QString MenuText(const CommandEntry& entry)
{
    const QString caption = QString::fromUtf8(entry.caption);
    return entry.shortcut ? caption + u'\t' + QChar::fromLatin1(entry.shortcut) : caption;
}

void RunCommand(PlayerActions& actions, CommandId id)
{
    const CommandEntry* entry = FindCommand(id);
    VELMORO_VERIFY_OR_DEBUG_ASSERT(entry != nullptr)
    {
        return;
    }
    if (entry->action)
        (actions.*entry->action)();
}

void RunKeyCommand(PlayerActions& actions, int scanCode)
{
    const CommandEntry* entry = FindCommandByScanCode(scanCode);
    if (entry && entry->action)
        (actions.*entry->action)();
}

bool RunControlKeyCommand(PlayerActions& actions, int scanCode)
{
    if (scanCode == 0)
        return false;
    const CommandEntry* entry =
        FindIf([scanCode](const CommandEntry& e) { return e.controlScanCode == scanCode; });
    if (!entry)
        return false;
    if (entry->action)
        (actions.*entry->action)();
    return true;
}

} // namespace velmoro::player
