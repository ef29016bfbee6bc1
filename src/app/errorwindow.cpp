#include "app/errorwindow.h"

#include "audio/audiolibrary.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <cstdlib>

namespace velmoro::app {

TFormShowErrore::TFormShowErrore(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormShowErrore"));
    setWindowTitle(QStringLiteral("Messaggio Applicazione"));
    setFixedSize(329, 127);
    setModal(true);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(8, 24, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(32, 32));

    LabelDescr = new QLabel(this);
    LabelDescr->setObjectName(QStringLiteral("LabelDescr"));
    LabelDescr->move(48, 8);

    MemoDescr = new QPlainTextEdit(this);
    MemoDescr->setObjectName(QStringLiteral("MemoDescr"));
    MemoDescr->setGeometry(48, 24, 273, 65);
    MemoDescr->setReadOnly(true);
    MemoDescr->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MemoDescr->setBackgroundRole(QPalette::Window);
    QPalette face = MemoDescr->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Window));
    MemoDescr->setPalette(face);

    ButtonChiudi = new QPushButton(QStringLiteral("&Chiudi"), this);
    ButtonChiudi->setObjectName(QStringLiteral("ButtonChiudi"));
    ButtonChiudi->setGeometry(248, 96, 75, 25);
    ButtonChiudi->setDefault(true);
    connect(ButtonChiudi, &QPushButton::clicked, this, &TFormShowErrore::ButtonChiudiClick);

    ButtonArresta = new QPushButton(QStringLiteral("&Arresta applicazione"), this);
    ButtonArresta->setObjectName(QStringLiteral("ButtonArresta"));
    ButtonArresta->setGeometry(48, 96, 113, 25);
    connect(ButtonArresta, &QPushButton::clicked, this, &TFormShowErrore::ButtonArrestaClick);
}

void TFormShowErrore::SetMessage(const QString& title, const QString& text)
{
    LabelDescr->setText(title);
    LabelDescr->adjustSize();
    MemoDescr->setPlainText(text);
}

void TFormShowErrore::ShowErrorMessage(const QString& title, const QString& text)
{
    SetMessage(title, text);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    exec();
}

void TFormShowErrore::ButtonChiudiClick()
{
    accept();
}

void TFormShowErrore::ButtonArrestaClick()
{
    if (OnArresta)
        OnArresta();
}

void EndProgramNow(audio::IAudioLibrary& audio, int exitCode)
{
    audio.Free();
    std::exit(exitCode);
}

} // namespace velmoro::app
