#include "dialogs/formurl.h"

namespace velmoro::dialogs {

const QString TFormURL::kExampleAddress = QStringLiteral("http://radio.example.com:8000/stream.mp3");

namespace {

// What the user's bookmarks look like everywhere: links.
void StyleAsLinks(QListWidget* list)
{
    QFont font = list->font();
    font.setUnderline(true);
    list->setFont(font);
    QPalette palette = list->palette();
    palette.setColor(QPalette::Text, Qt::blue);
    list->setPalette(palette);
}

} // namespace

TFormURL::TFormURL(app::WindowFlags& windows, const settings::Settings& settings, OpenFunction open,
                   QWidget* parent)
    : KeyQuietDialog(windows, parent), Label1(new QLabel(QStringLiteral("Indirizzo"), this)),
      EditUrl(new QLineEdit(kExampleAddress, this)),
      ButtonOpen(new QPushButton(QStringLiteral("&Apri ..."), this)),
      ButtonClose(new QPushButton(QStringLiteral("&Chiudi"), this)),
      ButtonBM(new QPushButton(QStringLiteral("&Segnalibri >>"), this)), ListBoxBM(new QListWidget(this)),
      m_settings(settings), m_open(std::move(open))
{
    setObjectName(QStringLiteral("FormURL"));
    setWindowTitle(QStringLiteral("Apri URL"));
    Label1->setObjectName(QStringLiteral("Label1"));
    EditUrl->setObjectName(QStringLiteral("EditUrl"));
    ButtonOpen->setObjectName(QStringLiteral("ButtonOpen"));
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    ButtonBM->setObjectName(QStringLiteral("ButtonBM"));
    ListBoxBM->setObjectName(QStringLiteral("ListBoxBM"));
    Label1->move(16, 8);
    Label1->adjustSize();
    EditUrl->setGeometry(16, 24, 281, 21);
    ButtonOpen->setGeometry(16, 64, 80, 24);
    ButtonClose->setGeometry(104, 64, 80, 24);
    ButtonBM->setGeometry(216, 64, 80, 24);
    ListBoxBM->setGeometry(8, 104, 289, 185);
    StyleAsLinks(ListBoxBM);
    // Enter in the address field opens it.
    ButtonOpen->setDefault(true);
    setTabOrder(EditUrl, ButtonOpen);
    setTabOrder(ButtonOpen, ButtonClose);
    setTabOrder(ButtonClose, ButtonBM);
    setTabOrder(ButtonBM, ListBoxBM);
    setFixedSize(kWidth, FoldedHeight());
    connect(ButtonOpen, &QPushButton::clicked, this, &TFormURL::ButtonOpenClick);
    connect(ButtonClose, &QPushButton::clicked, this, &TFormURL::ButtonCloseClick);
    connect(ButtonBM, &QPushButton::clicked, this, &TFormURL::ButtonBMClick);
    connect(ListBoxBM, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBoxBMClick(ListBoxBM->row(item)); });
}

int TFormURL::FoldedHeight() const
{
    return ButtonBM->geometry().bottom() + 1 + 30;
}

int TFormURL::UnfoldedHeight() const
{
    return ListBoxBM->geometry().bottom() + 1 + 30;
}

void TFormURL::FormShow()
{
    ListBoxBM->clear();
    ListBoxBM->addItems(m_settings.Lines(QStringLiteral("BookmarksListBox")));
    setFixedSize(kWidth, FoldedHeight());
    // Typing replaces the address at once.
    EditUrl->selectAll();
    EditUrl->setFocus();
}

// Unfolded it stays until the dialog shows again.
void TFormURL::ButtonBMClick()
{
    setFixedSize(kWidth, UnfoldedHeight());
}

void TFormURL::ListBoxBMClick(int row)
{
    if (QListWidgetItem* item = ListBoxBM->item(row))
        EditUrl->setText(item->text());
}

void TFormURL::ButtonOpenClick()
{
    m_open(EditUrl->text());
    close();
}

} // namespace velmoro::dialogs
