#include "settings/settings.h"

#include "platform/logging.h"
#include "platform/verify.h"

#include <algorithm>

namespace velmoro::settings {

using Kind = Settings::Kind;

void Settings::Define(const QString& name, Value value)
{
    m_values.emplace(name, std::move(value));
}

Settings::Settings(QObject* parent) : QObject(parent)
{
    const auto check = [this](const char* name, bool checked) {
        Value v;
        v.kind = Kind::Check;
        v.checked = checked;
        Define(QString::fromLatin1(name), v);
    };
    const auto radio = [this](const char* name, const char* group, bool checked) {
        Value v;
        v.kind = Kind::Radio;
        v.group = QString::fromLatin1(group);
        v.checked = checked;
        Define(QString::fromLatin1(name), v);
    };
    const auto track = [this](const char* name, int initial, int minimum, int maximum) {
        Value v;
        v.kind = Kind::Track;
        v.position = initial;
        v.minimum = minimum;
        v.maximum = maximum;
        Define(QString::fromLatin1(name), v);
    };
    const auto edit = [this](const char* name, const QString& text) {
        Value v;
        v.kind = Kind::Edit;
        v.text = text;
        Define(QString::fromLatin1(name), v);
    };
    const auto list = [this](const char* name, Kind kind, const QStringList& lines = {}) {
        Value v;
        v.kind = kind;
        v.lines = lines;
        v.selected = QList<bool>(lines.size(), false);
        Define(QString::fromLatin1(name), v);
    };

    // Generali
    check("AutoplayCheck", true);
    check("ScreenHookCheck", true);
    track("SensHookVal", 20, 10, 50);
    check("CountDownCheck", false);
    check("NumPlaylistfiles", false);
    check("AllMoveCheck", true);
    // Not on the options window: the clutterbar's D button and Ctrl+D.
    check("DoppiaDimensioneCheck", false);
    edit("ScollTitleEdit", QStringLiteral("*** Author: %A,T% * Title: %T,T% * Duration: %DF,T% ***"));
    edit("PlaylistEdit", QStringLiteral("[%DF,T%]  %A,T%  - %T,T%"));
    check("RicordaImpostazioniCheck", true);
    // Shell
    list("LinguaComboBox", Kind::Combo);
    track("TrackIcone", 0, 0, 0);
    list("ExtListBox", Kind::List, {"MP1", "MP2", "Mp3", "M3U", "PLS"});
    check("AvvRegCheck", false);
    radio("MostraNellaBarraCheck", "Barra", true);
    radio("MostranelTrayCheck", "Barra", false);
    radio("MostraEntrambiCheck", "Barra", false);
    track("TrackTryIco", 0, 0, 0);
    // Output
    list("DeviceCombo", Kind::Combo);
    radio("VolumeLineare", "Volume", true);
    radio("VolumeLog", "Volume", false);
    track("LunghezzaBufferTrack", 5, 3, 20);
    check("uscita8Check", false);
    check("monoCheck", false);
    check("A3dSuppCheck", false);
    check("MetaBitrateCheck", false);
    // "Equalizzatore attivo": off, the equalizer stays as the player always
    // had it, unreachable and unheard.
    check("EqualizzatoreAttivoCheck", false);
    // Cross Fade
    radio("FadeOffsetCheck", "Fade", true);
    radio("FadeOffsetCheck1", "Fade", false);
    track("TrackFadeSpeed", 10, 1, 50);
    track("TrackSlope", 1, 1, 100);
    track("NextStartTrack", 5, 0, 15);
    // Skins
    list("SkinsList", Kind::List);
    // Visualizazione
    radio("AbilitaOscilloscopioCheck", "Visualizzazione", true);
    radio("VUMeterCheck", "Visualizzazione", false);
    radio("OSCNessunoCheck", "Visualizzazione", false);
    radio("UsaPluginCheck", "Visualizzazione", false);
    radio("SpettroCheck", "Visualizzazione", false);
    radio("SpetLineeCheck", "DisegnoSpettro", true);
    radio("SpecSolidoCheck", "DisegnoSpettro", false);
    radio("BarSpttCheck", "DisegnoSpettro", false);
    track("SpecPicchiTrack", 1, 1, 5);
    track("TrackBarCadutaBarre", 4, 1, 5);
    check("VisPicchiCheck", true);
    check("CadutaSoftCheck", true);
    track("PrioritaGUITrack", 3, 0, 3);
    radio("OSCPuntiCheck", "Modalita", true);
    radio("OSCLineeCheck", "Modalita", false);
    radio("OSCSolidoCheck", "Modalita", false);
    track("OSCTrackfps", 5, 1, 30);
    track("RisoluzioneOSCTrack", 4, 1, 20);
    track("RinfrescoTrack", 10, 1, 250);
    // Plugins
    list("menuPluginCombo", Kind::Combo);
    check("AutostartVisCheck", false);
    check("CaricaVisCheck", true);
    list("ListaVisPluginCombo", Kind::Combo);
    // Net
    check("HttpCheck", true);
    check("FTPCheck", true);
    edit("EdittempMp3", QStringLiteral("NetTemp.mp3"));
    list("BookmarksListBox", Kind::List);
}

bool Settings::Has(const QString& name) const
{
    return m_values.count(name) > 0;
}

Settings::Kind Settings::KindOf(const QString& name) const
{
    const auto it = m_values.find(name);
    return it == m_values.end() ? Kind::Check : it->second.kind;
}

QStringList Settings::Names() const
{
    QStringList names;
    for (const auto& [name, value] : m_values)
        names << name;
    return names;
}

// An unknown name or a kind that does not match is a mistake in the program:
// it is caught in debug builds, and in release builds reads as an empty value
// and ignores writes.
const Settings::Value* Settings::Find(const QString& name, Kind kind) const
{
    const auto it = m_values.find(name);
    const bool found = it != m_values.end() &&
                       (it->second.kind == kind || (kind == Kind::Check && it->second.kind == Kind::Radio) ||
                        (kind == Kind::List && it->second.kind == Kind::Combo));
    VELMORO_VERIFY_OR_DEBUG_ASSERT(found)
    {
        qCWarning(lcSettings) << "no setting" << name << "of that kind";
        return nullptr;
    }
    return &it->second;
}

Settings::Value* Settings::Find(const QString& name, Kind kind)
{
    return const_cast<Value*>(std::as_const(*this).Find(name, kind));
}

const Settings::Value& Settings::Read(const QString& name, Kind kind) const
{
    static const Value empty;
    const Value* v = Find(name, kind);
    return v ? *v : empty;
}

bool Settings::Checked(const QString& name) const
{
    return Read(name, Kind::Check).checked;
}

void Settings::SetChecked(const QString& name, bool checked)
{
    Value* v = Find(name, Kind::Check);
    if (!v || v->checked == checked)
        return;
    v->checked = checked;
    QStringList changed{name};
    if (v->kind == Kind::Radio && checked) {
        for (auto& [other, value] : m_values) {
            if (other != name && value.kind == Kind::Radio && value.group == v->group && value.checked) {
                value.checked = false;
                changed << other;
            }
        }
    }
    for (const QString& n : changed)
        emit Changed(n);
}

QString Settings::CheckedInGroup(const QString& group) const
{
    for (const auto& [name, value] : m_values) {
        if (value.kind == Kind::Radio && value.group == group && value.checked)
            return name;
    }
    return {};
}

int Settings::Position(const QString& name) const
{
    return Read(name, Kind::Track).position;
}

void Settings::SetPosition(const QString& name, int position)
{
    Value* v = Find(name, Kind::Track);
    if (!v)
        return;
    position = std::clamp(position, v->minimum, v->maximum);
    if (v->position == position)
        return;
    v->position = position;
    emit Changed(name);
}

int Settings::Minimum(const QString& name) const
{
    return Read(name, Kind::Track).minimum;
}

int Settings::Maximum(const QString& name) const
{
    return Read(name, Kind::Track).maximum;
}

void Settings::SetRange(const QString& name, int minimum, int maximum)
{
    Value* v = Find(name, Kind::Track);
    if (!v)
        return;
    v->minimum = minimum;
    v->maximum = std::max(minimum, maximum);
    SetPosition(name, v->position);
}

QString Settings::Text(const QString& name) const
{
    return Read(name, Kind::Edit).text;
}

void Settings::SetText(const QString& name, const QString& text)
{
    Value* v = Find(name, Kind::Edit);
    if (!v || v->text == text)
        return;
    v->text = text;
    emit Changed(name);
}

QStringList Settings::Lines(const QString& name) const
{
    return Read(name, Kind::List).lines;
}

void Settings::SetLines(const QString& name, const QStringList& lines)
{
    Value* v = Find(name, Kind::List);
    if (!v)
        return;
    v->lines = lines;
    v->selected = QList<bool>(lines.size(), false);
    v->itemIndex = std::min(v->itemIndex, int(lines.size()) - 1);
    emit Changed(name);
}

int Settings::ItemIndex(const QString& name) const
{
    return Read(name, Kind::List).itemIndex;
}

void Settings::SetItemIndex(const QString& name, int index)
{
    Value* v = Find(name, Kind::List);
    if (!v)
        return;
    if (index < -1 || index >= v->lines.size())
        index = -1;
    if (v->itemIndex == index)
        return;
    v->itemIndex = index;
    emit Changed(name);
}

bool Settings::Selected(const QString& name, int line) const
{
    const Value& v = Read(name, Kind::List);
    return line >= 0 && line < v.selected.size() && v.selected[line];
}

void Settings::SetSelected(const QString& name, int line, bool selected)
{
    Value* v = Find(name, Kind::List);
    if (!v || line < 0 || line >= v->selected.size() || v->selected[line] == selected)
        return;
    v->selected[line] = selected;
    emit Changed(name);
}

} // namespace velmoro::settings
