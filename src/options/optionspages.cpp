#include "options/optionspages.h"

#include "options/crossfadegraph.h"
#include "options/languagefile.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <vector>

namespace velmoro::options {

namespace {

// Lays controls out one below the other, or side by side inside Row(); a
// group box or a row holds what is added until its End().
class PageBuilder {
public:
    PageBuilder(QTabWidget& pages, const char* name, const QString& caption) : m_page(new QWidget)
    {
        m_page->setObjectName(QString::fromLatin1(name));
        pages.addTab(m_page, caption);
        m_open.push_back({m_page, new QVBoxLayout(m_page)});
    }
    ~PageBuilder() { m_open.front().layout->addStretch(); }

    PageBuilder& Group(const char* name, const QString& caption)
    {
        auto* box = Add(new QGroupBox(caption), name);
        m_open.push_back({box, new QVBoxLayout(box)});
        return *this;
    }
    PageBuilder& Row()
    {
        auto* row = new QHBoxLayout;
        m_open.back().layout->addLayout(row);
        m_open.push_back({m_open.back().parent, row});
        return *this;
    }
    PageBuilder& End()
    {
        m_open.pop_back();
        return *this;
    }

    template <typename W> W* Add(W* control, const char* name)
    {
        control->setObjectName(QString::fromLatin1(name));
        m_open.back().layout->addWidget(control);
        return control;
    }
    QCheckBox* Check(const char* name, const QString& caption) { return Add(new QCheckBox(caption), name); }
    QRadioButton* Radio(const char* name, const QString& caption)
    {
        return Add(new QRadioButton(caption), name);
    }
    QPushButton* Button(const char* name, const QString& caption)
    {
        return Add(new QPushButton(caption), name);
    }
    QLabel* Label(const char* name, const QString& text) { return Add(new QLabel(text), name); }
    // A label that only ever shows a picture: no caption to translate.
    QLabel* Picture(const char* name)
    {
        QLabel* label = Label(name, QString());
        label->setProperty(kPictureProperty, true);
        return label;
    }
    QSlider* Track(const char* name) { return Add(new QSlider(Qt::Horizontal), name); }
    QLineEdit* Edit(const char* name) { return Add(new QLineEdit, name); }
    QComboBox* Combo(const char* name) { return Add(new QComboBox, name); }
    QListWidget* List(const char* name) { return Add(new QListWidget, name); }
    QSpinBox* Spin(const char* name) { return Add(new QSpinBox, name); }

private:
    struct Open {
        QWidget* parent;
        QBoxLayout* layout;
    };
    QWidget* m_page;
    std::vector<Open> m_open;
};

// Links drawn as the classic window drew them: blue and underlined.
void LookLikeLink(QWidget* control)
{
    control->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
}

void Generali(QTabWidget& pages)
{
    PageBuilder p(pages, "OpzioniGenerali", QStringLiteral("Generali"));
    p.Check("AutoplayCheck", QStringLiteral("Autoplay dopo open"));
    p.Row();
    p.Check("ScreenHookCheck", QStringLiteral("Aggancia allo schermo, sensibilità"));
    p.Spin("SensHookVal");
    p.Label("LabelPixel", QStringLiteral("Pixel"));
    p.End();
    p.Check("CountDownCheck", QStringLiteral("Conto alla rovescia"));
    p.Check("NumPlaylistfiles", QStringLiteral("Numera i file nella Playlist"));
    p.Check("AllMoveCheck", QStringLiteral("Muovi tutte le finestre insieme"));
    p.Check("DoppiaDimensioneCheck", QStringLiteral("Finestre a doppia dimensione"));
    p.Check("RicordaImpostazioniCheck", QStringLiteral("Ricorda le impostazioni"));
    p.Label("LabelTestoScorrevole", QStringLiteral("Testo scorrevole"));
    p.Edit("ScollTitleEdit");
    p.Label("LabelPlaylist", QStringLiteral("Playlist"));
    p.Edit("PlaylistEdit");
    p.Row();
    p.Button("TextHelpButton", QStringLiteral("Guida"));
    p.Button("ButtonRinfrPlaylist", QStringLiteral("Rinfresca"));
    p.End();
}

void Shell(QTabWidget& pages)
{
    PageBuilder p(pages, "TabSheet6", QStringLiteral("Shell"));
    p.Label("LabelLingua", QStringLiteral("Lingua"));
    p.Combo("LinguaComboBox");
    p.Group("GroupEstensioni", QStringLiteral("Estensioni"));
    p.Row();
    p.Label("LabelIcona", QStringLiteral("Icona"));
    p.Track("TrackIcone");
    p.Picture("IconaImg")->setFixedSize(32, 32);
    p.End();
    p.List("ExtListBox")->setSelectionMode(QAbstractItemView::MultiSelection);
    p.Check("AvvRegCheck", QStringLiteral("Registra all'avvio"));
    p.Button("ButtonRegClass", QStringLiteral("&Registra estensioni"));
    p.End();
    p.Group("GroupBarra", QStringLiteral("Barra delle applicazioni"));
    p.Radio("MostraNellaBarraCheck", QStringLiteral("Mostra nella barra"));
    p.Radio("MostranelTrayCheck", QStringLiteral("Mostra nel sys tray"));
    p.Radio("MostraEntrambiCheck", QStringLiteral("Mostra in entrambi"));
    p.Row();
    p.Label("LabelIconaTray", QStringLiteral("Icona"));
    p.Track("TrackTryIco");
    p.Picture("TrayImg")->setFixedSize(32, 32);
    p.End();
    p.End();
}

void Output(QTabWidget& pages)
{
    PageBuilder p(pages, "TabSheet2", QStringLiteral("Output"));
    p.Group("GroupPeriferica", QStringLiteral("Periferica Audio"));
    p.Combo("DeviceCombo");
    p.Button("ButtonInfo", QStringLiteral("Info Periferica"));
    p.End();
    p.Group("GroupVolume", QStringLiteral("Impostazioni Volume e Bilanciamento"));
    p.Radio("VolumeLineare", QStringLiteral("Lineare"));
    p.Radio("VolumeLog", QStringLiteral("Logaritmico"));
    p.End();
    p.Group("GroupBuffer", QStringLiteral("Buffer"));
    p.Row();
    p.Track("LunghezzaBufferTrack");
    p.Label("LabelBufferLength", QStringLiteral("500 ms"));
    p.End();
    p.End();
    p.Check("uscita8Check", QStringLiteral("Uscita a 8 Bit"));
    p.Check("monoCheck", QStringLiteral("Uscita mono"));
    p.Check("A3dSuppCheck", QStringLiteral("Usa supporto suono 3D"));
    p.Check("MetaBitrateCheck", QStringLiteral("Usa metà bitrate"));
    p.Check("EqualizzatoreAttivoCheck", QStringLiteral("Equalizzatore attivo"));
}

void CrossFade(QTabWidget& pages)
{
    PageBuilder p(pages, "TabSheet1", QStringLiteral("Cross Fade"));
    p.Group("GroupBox7", QStringLiteral("GroupBox7"));
    p.Row();
    p.Radio("FadeOffsetCheck", QStringLiteral("In ingresso"));
    p.Radio("FadeOffsetCheck1", QStringLiteral("In uscita"));
    p.End();
    p.Label("LabelPendenza", QStringLiteral("Pendenza"));
    p.Track("TrackFadeSpeed");
    p.Label("LabelRapidita", QStringLiteral("Rapidità"));
    p.Track("TrackSlope");
    auto* frame = p.Add(new QFrame, "PanelCrossfade");
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* graph = new QLabel(frame);
    graph->setObjectName(QStringLiteral("CrossfadeImage"));
    graph->setFixedSize(kCrossfadeGraphSize);
    graph->move(frame->frameWidth(), frame->frameWidth());
    frame->setFixedSize(kCrossfadeGraphSize + QSize(2, 2) * frame->frameWidth());
    p.End();
    p.Label("LabelSpiegazione", QStringLiteral("Il crossfade fa entrare una canzone nell'altra\n"
                                               "alzando e abbassando il volume.\n"
                                               "Fade In è la canzone che entra,\n"
                                               "Fade Out quella che si allontana."));
    p.Label("CrossfadeLabel", QStringLiteral("Crossfade tra una canzone e l'altra (5 sec)"));
    p.Track("NextStartTrack");
}

void Skins(QTabWidget& pages)
{
    PageBuilder p(pages, "TabSheet4", QStringLiteral("Skins"));
    p.Group("GroupSkins", QStringLiteral("Skins utilizzabili"));
    p.Label("LabelSkinClick", QStringLiteral("Cliccare per attivare lo Skin"));
    p.List("SkinsList");
    p.End();
    p.Group("GroupCartellaSkin", QStringLiteral("Cartella Skin"));
    auto* folder = p.Button("SkinFolderButton", QString());
    folder->setFlat(true);
    LookLikeLink(folder);
    p.End();
}

void Visualizazione(QTabWidget& pages)
{
    PageBuilder p(pages, "TabSheet3", QStringLiteral("Visualizazione"));
    p.Row();
    p.Group("GroupPannello", QStringLiteral("Pannello Visualizzazione"));
    p.Radio("AbilitaOscilloscopioCheck", QStringLiteral("Oscilloscopio"));
    p.Radio("VUMeterCheck", QStringLiteral("VU Meter"));
    p.Radio("OSCNessunoCheck", QStringLiteral("Nessuno"));
    p.Radio("UsaPluginCheck", QStringLiteral("Plugin"));
    p.Radio("SpettroCheck", QStringLiteral("Spettro"));
    p.End();
    p.Group("GroupDisegnoSpettro", QStringLiteral("Disegno Spettro"));
    p.Radio("SpetLineeCheck", QStringLiteral("Linee"));
    p.Radio("SpecSolidoCheck", QStringLiteral("Solido"));
    p.Radio("BarSpttCheck", QStringLiteral("Barre"));
    p.Label("LabelCadutaPicchi", QStringLiteral("Caduta picchi"));
    p.Track("SpecPicchiTrack");
    p.Label("LabelCadutaBarre", QStringLiteral("Caduta barre"));
    p.Track("TrackBarCadutaBarre");
    p.Check("VisPicchiCheck", QStringLiteral("Visualizza picchi"));
    p.Check("CadutaSoftCheck", QStringLiteral("Caduta lenta"));
    p.End();
    p.End();
    p.Row();
    p.Group("GroupModalita", QStringLiteral("Modalità"));
    p.Radio("OSCPuntiCheck", QStringLiteral("Punti"));
    p.Radio("OSCLineeCheck", QStringLiteral("Linee"));
    p.Radio("OSCSolidoCheck", QStringLiteral("Solido"));
    p.Label("LabelRinfrescoFps", QStringLiteral("Rinfresco (fps)"));
    p.Track("OSCTrackfps");
    p.Label("LabelRisoluzione", QStringLiteral("Risoluzione"));
    p.Track("RisoluzioneOSCTrack");
    p.End();
    p.Group("GroupPriorita", QStringLiteral("Priorità Processo GUI"));
    p.Track("PrioritaGUITrack");
    p.Row();
    p.Label("LabelAlta", QStringLiteral("Alta"));
    p.Label("LabelIdle", QStringLiteral("Idle"));
    p.Label("LabelNormale", QStringLiteral("Normale"));
    p.Label("LabelTempoCritico", QStringLiteral("Tempo Critico"));
    p.End();
    p.End();
    p.End();
    p.Group("GroupRinfresco", QStringLiteral("Rinfresco"));
    p.Track("RinfrescoTrack");
    p.Row();
    p.Label("LabelVeloce", QStringLiteral("Veloce"));
    p.Label("LabelLento", QStringLiteral("Lento"))->setAlignment(Qt::AlignRight);
    p.End();
    p.End();
}

void Plugins(QTabWidget& pages)
{
    PageBuilder p(pages, "TabSheet5", QStringLiteral("Plugins"));
    p.Group("GroupMenuPlugin", QStringLiteral("Menu Plugin"));
    p.Combo("menuPluginCombo");
    p.Button("ButtonMnuPlugin", QStringLiteral("Configura"));
    p.End();
    p.Check("AutostartVisCheck", QStringLiteral("Avvio automatico"));
    p.Check("CaricaVisCheck", QStringLiteral("Carica tutti all'avvio"));
    p.Group("GroupVisuali", QStringLiteral("Visuali"));
    p.Combo("ListaVisPluginCombo");
    p.Row();
    p.Button("Button3", QStringLiteral("Carica"));
    p.Button("VisConfigButton", QStringLiteral("Configura"));
    p.Button("VisInfoButton", QStringLiteral("Info"));
    p.Button("CaricaVisButton", QStringLiteral("Carica Tutti"))->hide();
    p.Button("ButtonCaricaMenu", QStringLiteral("Carica Menu"))->hide();
    p.End();
    p.End();
}

void Net(QTabWidget& pages)
{
    PageBuilder p(pages, "TabSheet7", QStringLiteral("Net"));
    p.Group("GroupInternet", QStringLiteral("Internet"));
    p.Check("HttpCheck", QStringLiteral("Usa HTTP"));
    p.Check("FTPCheck", QStringLiteral("Usa FTP"));
    p.Label("LabelSalvaStream", QStringLiteral("Salva lo stream di rete in"));
    p.Edit("EdittempMp3");
    p.End();
    LookLikeLink(p.Label("LabelSegnalibri", QStringLiteral("Segnalibri")));
    p.List("BookmarksListBox");
    p.Row();
    p.Button("ButtonBMEdit", QStringLiteral("&Modifica"));
    p.Button("ButtonBMCanc", QStringLiteral("Cancella"));
    p.End();
}

} // namespace

void BuildOptionsPages(QTabWidget& pages)
{
    pages.setObjectName(QStringLiteral("PageOpzioni"));
    Generali(pages);
    Shell(pages);
    Output(pages);
    CrossFade(pages);
    Skins(pages);
    Visualizazione(pages);
    Plugins(pages);
    Net(pages);
}

} // namespace velmoro::options
