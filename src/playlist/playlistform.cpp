#include "playlist/playlistform.h"

#include "playlist/playlistview.h"
#include "settings/windowscale.h"
#include "skin/docking.h"
#include "skin/screencursors.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>

namespace velmoro::playlist {

namespace {

// Cursor slots of the skin (normal.cur, eqtitle.cur, pvscroll.cur, psize.cur).
constexpr int kNormalCursor = 5;
constexpr int kTitleCursor = 15;
constexpr int kScrollCursor = 23;
constexpr int kGripCursor = 25;

// Rows a notch of the wheel scrolls, as list boxes do.
constexpr int kWheelRows = 3;

} // namespace

TPlaylistForm::TPlaylistForm(PlaylistState& tracks, settings::Settings& settings, const QString& appDir,
                             const QString& skinsDir, PlaylistHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_tracks(tracks), m_settings(settings),
      m_appDir(appDir), m_skinsDir(skinsDir), m_host(host)
{
    setObjectName(QStringLiteral("PlaylistForm"));
    setWindowTitle(QStringLiteral("Playlist"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    BuildAreas();
    BuildMenus();
    TimerSize.setObjectName(QStringLiteral("TimerSize"));
    TimerSize.setInterval(10);
    connect(&TimerSize, &QTimer::timeout, this, &TPlaylistForm::TimerSizeTimer);
    TimerPosizioneForm.setObjectName(QStringLiteral("TimerPosizioneForm"));
    TimerPosizioneForm.setInterval(1);
    connect(&TimerPosizioneForm, &QTimer::timeout, this, &TPlaylistForm::TimerPosizioneFormTimer);
    resize(skin::kPlaylistInitialSize);
    ApplySkin(); // the built-in skin's, until the player loads its own
    SetScale(settings::WindowScale(m_settings));
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        if (name == settings::kDoubleSizeSetting)
            SetScale(settings::WindowScale(m_settings));
    });
}

void TPlaylistForm::SetScale(int scale)
{
    const QSize skinSize = SkinSize();
    m_scale = std::clamp(scale, 1, 2);
    m_image = QImage(); // laid out and painted again
    resize(skinSize * m_scale);
    Relayout();
}

TPlaylistForm::~TPlaylistForm() = default;

void TPlaylistForm::BuildAreas()
{
    const auto area = [this](const char* name) {
        return new skin::HitArea(QString::fromLatin1(name), {}, this);
    };
    PlaylistSkinImage = area("PlaylistSkinImage");
    RightBarImage = area("RightBarImage");
    TraspMoveImage = area("TraspMoveImage");
    PlylistAddImage = area("PlylistAddImage");
    PlylistRemImage = area("PlylistRemImage");
    SelMenuImage = area("SelMenuImage");
    MiscPlaylistImage = area("MiscPlaylistImage");
    LoadSavePlaylistImage = area("LoadSavePlaylistImage");
    PlayListBox = new QWidget(this);
    PlayListBox->setObjectName(QStringLiteral("PlayListBox"));
    PlayListBox->setFocusPolicy(Qt::StrongFocus);
    PlayListBox->setMouseTracking(true);
    PlayListBox->installEventFilter(this);

    connect(PlaylistSkinImage, &skin::HitArea::MouseDown, this, [this](Qt::MouseButton b, QPoint) {
        if (b == Qt::RightButton)
            return;
        m_dragOffset = pos() - QCursor::pos();
        TimerPosizioneForm.start();
    });
    connect(PlaylistSkinImage, &skin::HitArea::MouseUp, this, [this] { TimerPosizioneForm.stop(); });
    connect(TraspMoveImage, &skin::HitArea::MouseDown, this, [this] { TimerSize.start(); });
    connect(TraspMoveImage, &skin::HitArea::MouseUp, this, [this] { TimerSize.stop(); });
    const std::pair<skin::HitArea*, QMenu * TPlaylistForm::*> menus[] = {
        {PlylistAddImage, &TPlaylistForm::AddPlaylistMenu},
        {PlylistRemImage, &TPlaylistForm::RemPlaylistMenu},
        {SelMenuImage, &TPlaylistForm::SelPlaylistMenu},
        {MiscPlaylistImage, &TPlaylistForm::MiscPlaylistMenu},
        {LoadSavePlaylistImage, &TPlaylistForm::LoadSavePlaylistMenu},
    };
    for (const auto& [clickArea, menu] : menus)
        connect(clickArea, &skin::HitArea::MouseDown, this,
                [this, area = clickArea, m = menu] { PopupAt(this->*m, area); });
    connect(RightBarImage, &skin::HitArea::MouseDown, this,
            [this](Qt::MouseButton, QPoint at) { ScrollBarMouse(QEvent::MouseButtonPress, at); });
    connect(RightBarImage, &skin::HitArea::MouseMove, this,
            [this](QPoint at) { ScrollBarMouse(QEvent::MouseMove, at); });
    connect(RightBarImage, &skin::HitArea::MouseUp, this,
            [this](Qt::MouseButton, QPoint at) { ScrollBarMouse(QEvent::MouseButtonRelease, at); });
}

void TPlaylistForm::PopupAt(QMenu* menu, const skin::HitArea* area)
{
    // The menu's corner at the centre of the area, halves truncated.
    const QPoint centre = area->geometry().topLeft() + QPoint(area->width() / 2, area->height() / 2);
    menu->popup(mapToGlobal(centre));
}

void TPlaylistForm::CaricaSkinPlaylistClick(const skin::SkinSource& source)
{
    m_skin.Load(source);
    ApplySkin();
}

void TPlaylistForm::ApplySkin()
{
    const skin::PlaylistColors& colors = m_skin.Colors();
    m_tracks.PlNormalColor = colors.normal;
    m_tracks.PlCurrentColor = colors.current;
    m_tracks.PlSelectedBgColor = colors.selectedBg;
    m_tracks.PlNormalBgColor = colors.normalBg;
    const skin::ScreenCursors& cursors = skin::ScreenCursors::Instance();
    setCursor(cursors.Cursor(kNormalCursor));
    PlayListBox->setCursor(cursors.Cursor(kNormalCursor));
    PlaylistSkinImage->setCursor(cursors.Cursor(kTitleCursor));
    RightBarImage->setCursor(cursors.Cursor(kScrollCursor));
    TraspMoveImage->setCursor(cursors.Cursor(kGripCursor));
    m_image = QImage(); // all of it again, in the new skin
    Relayout();
}

void TPlaylistForm::showEvent(QShowEvent*)
{
    Relayout();
}

void TPlaylistForm::resizeEvent(QResizeEvent*)
{
    Relayout();
}

// A hidden window is told of its size only when it is shown: every paint
// first makes sure the image and the layout have the window's size.
bool TPlaylistForm::Relayout()
{
    if (m_image.size() == SkinSize() && m_layout.grip.isValid())
        return false;
    m_layout = skin::LayoutPlaylistWindow(SkinSize());
    PlaceAreas();
    ScrollTo(m_view.topRow); // a taller window may show rows past the end
    // Nothing is painted while the window is hidden: the start-up would pay
    // for a picture nobody sees. Showing it paints it whole.
    if (!isVisible()) {
        m_image = QImage();
        return true;
    }
    FillView();
    skin::PaintPlaylistWindow(m_skin, m_view, m_image);
    update();
    return true;
}

void TPlaylistForm::PlaceAreas()
{
    PlaylistSkinImage->setGeometry(OnWindow(m_layout.title));
    RightBarImage->setGeometry(OnWindow(m_layout.scrollBar));
    TraspMoveImage->setGeometry(OnWindow(m_layout.grip));
    PlylistAddImage->setGeometry(OnWindow(m_layout.add));
    PlylistRemImage->setGeometry(OnWindow(m_layout.remove));
    SelMenuImage->setGeometry(OnWindow(m_layout.select));
    MiscPlaylistImage->setGeometry(OnWindow(m_layout.misc));
    LoadSavePlaylistImage->setGeometry(OnWindow(m_layout.loadSave));
    PlayListBox->setGeometry(OnWindow(m_layout.rows));
}

void TPlaylistForm::paintEvent(QPaintEvent* event)
{
    Relayout();
    QPainter painter(this);
    if (m_scale == 1)
        painter.drawImage(event->rect(), m_image, event->rect());
    else // without smooth transformation each pixel becomes a square
        painter.drawImage(QRect(QPoint(0, 0), m_image.size() * m_scale), m_image);
}

void TPlaylistForm::FillView()
{
    const TMPEGAudioList& list = m_tracks.Playlist;
    m_view.size = SkinSize();
    m_view.rowCount = list.Count();
    const bool numbered = m_settings.Checked(QStringLiteral("NumPlaylistfiles"));
    m_view.rowText = [&list, numbered, &titles = m_tracks.StationTitles](int row) {
        return RowText(list, row, numbered, titles);
    };
    m_view.marked = [&list](int row) { return list.Items(row).Data().Selected != 0; };
    m_view.currentRow = m_tracks.CurrentIndex;
    m_view.selectedRow = m_selectedRow;
    m_view.focusOnSelected = PlayListBox->hasFocus();
    m_view.selectedTextColor = palette().color(QPalette::HighlightedText).rgb();
    if (m_progress.isEmpty()) {
        m_view.positionStatus =
            PositionStatus(m_tracks.CurrentIndex, list.Count(), m_tracks.PlaylistTotalSize);
        m_view.timeStatus = TimeStatus(m_tracks.PlaylistTotalSeconds);
    } else {
        m_view.positionStatus = m_progress;
        m_view.timeStatus.clear();
    }
    m_view.thumbTop = ScrollThumbTop(m_selectedRow, list.Count(), m_layout.scrollImage.height());
}

void TPlaylistForm::RefreshPlaylistList()
{
    const PlaylistTotals totals =
        RefreshRows(m_tracks.Playlist, m_settings.Text(QStringLiteral("PlaylistEdit")));
    m_tracks.PlaylistTotalSeconds = totals.seconds;
    m_tracks.PlaylistTotalSize = totals.bytes;
    // The rows are built anew, as a list box refilled: no row stays selected
    // and the list shows its top.
    m_selectedRow = -1;
    m_view.topRow = 0;
    RepaintRows();
    ButtonPosScrollClick();
    ButtonPosLabelClick();
}

void TPlaylistForm::ButtonPosLabelClick()
{
    if (Relayout())
        return;
    FillView();
    update(OnWindow(skin::PaintPlaylistStatus(m_skin, m_view, m_image)));
}

void TPlaylistForm::ButtonPosScrollClick()
{
    if (Relayout())
        return;
    FillView();
    update(OnWindow(skin::PaintPlaylistScrollBar(m_skin, m_view, m_image)));
}

void TPlaylistForm::ShowProgress(const QString& text)
{
    m_progress = text;
    ButtonPosLabelClick();
}

void TPlaylistForm::RepaintView()
{
    RepaintRows();
    ButtonPosLabelClick();
    ButtonPosScrollClick();
}

void TPlaylistForm::RepaintRows()
{
    if (Relayout())
        return;
    FillView();
    update(OnWindow(skin::PaintPlaylistRows(m_skin, m_view, m_image)));
}

int TPlaylistForm::VisibleRows() const
{
    return std::max(1, m_layout.rows.height() / skin::kPlaylistRowHeight);
}

void TPlaylistForm::ScrollTo(int topRow)
{
    const int last = std::max(0, m_tracks.Playlist.Count() - VisibleRows());
    m_view.topRow = std::clamp(topRow, 0, last);
}

void TPlaylistForm::KeepRowVisible(int row)
{
    if (row < m_view.topRow)
        ScrollTo(row);
    else if (row >= m_view.topRow + VisibleRows())
        ScrollTo(row - VisibleRows() + 1);
}

void TPlaylistForm::SelectRow(int row)
{
    const int count = m_tracks.Playlist.Count();
    m_selectedRow = count == 0 ? -1 : std::clamp(row, 0, count - 1);
    if (m_selectedRow >= 0)
        KeepRowVisible(m_selectedRow);
    RepaintRows();
    ButtonPosScrollClick();
}

void TPlaylistForm::PlayListBoxDblClick()
{
    if (m_selectedRow < 0 || m_selectedRow >= m_tracks.Playlist.Count())
        return;
    m_tracks.CurrentIndex = m_selectedRow;
    m_host.PlayCurrentEntry();
    RepaintRows();
    ButtonPosLabelClick();
}

void TPlaylistForm::ScrollBarMouse(QEvent::Type type, QPoint at)
{
    // The thumb is placed in the coordinates of the bar's whole image, which
    // runs from the window's top.
    const int y = (RightBarImage->y() + at.y()) / m_scale - m_layout.scrollImage.y();
    switch (type) {
    case QEvent::MouseButtonPress:
        m_view.thumbHeld = m_tracks.Playlist.Count() > 0;
        break;
    case QEvent::MouseMove:
        if (m_view.thumbHeld)
            SelectRow(ScrollBarRow(y, m_tracks.Playlist.Count(), m_layout.scrollImage.height()));
        return;
    case QEvent::MouseButtonRelease:
        m_view.thumbHeld = false;
        break;
    default:
        return;
    }
    ButtonPosScrollClick();
}

bool TPlaylistForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == PlayListBox && RowsEvent(event))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool TPlaylistForm::RowsEvent(QEvent* event)
{
    const auto rowAt = [this](QPointF at) {
        const QPoint p = PlayListBox->mapTo(this, at.toPoint());
        return skin::PlaylistRowAt(m_layout, m_view.topRow, {p.x() / m_scale, p.y() / m_scale});
    };
    switch (event->type()) {
    case QEvent::Enter:
        m_host.PointerOverRows();
        return false;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            m_host.ShowPlayerMenu(mouse->globalPosition().toPoint());
            return true;
        }
        const int row = rowAt(mouse->position());
        if (row >= 0 && row < m_tracks.Playlist.Count())
            SelectRow(row);
        else
            ButtonPosScrollClick();
        return false; // the box takes the focus
    }
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const int row = rowAt(mouse->position());
        if (mouse->button() != Qt::LeftButton || row < 0 || row >= m_tracks.Playlist.Count())
            return true;
        SelectRow(row);
        PlayListBoxDblClick();
        return true;
    }
    case QEvent::Wheel: {
        const int notches = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
        ScrollTo(m_view.topRow - notches * kWheelRows);
        RepaintRows();
        return true;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        RepaintRows();
        return false;
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(event);
        const int page = std::max(1, VisibleRows() - 1);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            PlayListBoxDblClick();
            return true;
        case Qt::Key_Space:
            if (m_selectedRow >= 0 && m_selectedRow < m_tracks.Playlist.Count()) {
                TMPEGAudio& entry = m_tracks.Playlist.Items(m_selectedRow);
                entry.SetSelected(entry.Data().Selected == 0 ? 1 : 0);
                RepaintRows();
            }
            return true;
        case Qt::Key_Up:
            SelectRow(m_selectedRow - 1);
            return true;
        case Qt::Key_Down:
            SelectRow(m_selectedRow + 1);
            return true;
        case Qt::Key_PageUp:
            SelectRow(m_selectedRow - page);
            return true;
        case Qt::Key_PageDown:
            SelectRow(m_selectedRow + page);
            return true;
        case Qt::Key_Home:
            SelectRow(0);
            return true;
        case Qt::Key_End:
            SelectRow(m_tracks.Playlist.Count() - 1);
            return true;
        default:
            return false;
        }
    }
    default:
        return false;
    }
}

void TPlaylistForm::TimerSizeTimer()
{
    const QPoint cursor = pos() + (QCursor::pos() - pos()) / m_scale;
    const QSize wanted = GripSize(cursor, pos(), SkinSize()) * m_scale;
    if (wanted != size())
        resize(wanted);
}

void TPlaylistForm::TimerPosizioneFormTimer()
{
    const skin::SnapRule rule{m_settings.Checked(QStringLiteral("ScreenHookCheck")),
                              m_settings.Position(QStringLiteral("SensHookVal"))};
    move(skin::DraggedWindowPosition(m_dragOffset, size(), rule));
}

} // namespace velmoro::playlist
