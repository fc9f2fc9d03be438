#include "TForm_About.h"

#include "ErrorReport.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QLabel* Styled(const QString& text, const QString& style, const char* name)
{
    auto* label = new QLabel(text);
    label->setObjectName(QLatin1String(name));
    label->setStyleSheet(style);
    return label;
}

// A small banner for the picture area: an output trace over a dark panel.
QPixmap Banner(const QSize& size)
{
    QPixmap picture(size);
    picture.fill(QColor(20, 30, 40));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(128, 255, 0), 2));
    QPainterPath trace;
    trace.moveTo(4, size.height() - 6);
    trace.lineTo(size.width() * 0.3, size.height() - 6);
    trace.lineTo(size.width() * 0.35, 6);
    trace.lineTo(size.width() * 0.7, 6);
    trace.lineTo(size.width() * 0.75, size.height() / 2.0);
    trace.lineTo(size.width() - 4, size.height() / 2.0);
    painter.drawPath(trace);
    return picture;
}

} // namespace

TForm_About::TForm_About(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form_About"));
    setWindowTitle(QStringLiteral("About"));
    setModal(true);

    auto* bevel = new QFrame;
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::Panel);
    bevel->setFrameShadow(QFrame::Sunken);
    auto* grid = new QGridLayout(bevel);

    auto* name = Styled(QStringLiteral("QL4720"),
                        QStringLiteral("color: teal; font-size: 22pt; font-weight: bold; "
                                       "font-style: italic;"),
                        "ProductName");
    auto* picture = new QLabel;
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(Banner(QSize(169, 33)));
    const QString caption = QStringLiteral("color: navy; font-weight: bold;");
    const QString link = QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(WebAddress));
    auto* httpLink = Styled(link, QString(), "Label3");
    auto* supportLink = Styled(link, QString(), "Label4");
    for (QLabel* label : {httpLink, supportLink}) {
        label->setCursor(Qt::PointingHandCursor);
        label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
        connect(label, &QLabel::linkActivated, this, &TForm_About::Label3Click);
    }
    auto* contact = Styled(QStringLiteral(", \"Contact Us\""), QStringLiteral("color: blue;"),
                           "Label6");
    contact->setCursor(Qt::PointingHandCursor);

    grid->addWidget(name, 0, 0, 1, 3, Qt::AlignCenter);
    grid->addWidget(picture, 1, 0, 1, 3, Qt::AlignCenter);
    grid->addWidget(Styled(QStringLiteral("Version 3.1"), QString(), "Label5"), 2, 0, 1, 3,
                    Qt::AlignCenter);
    grid->addWidget(Styled(QStringLiteral("Http:"), caption, "Label2"), 3, 0);
    grid->addWidget(httpLink, 3, 1, 1, 2);
    grid->addWidget(Styled(QStringLiteral("Support:"), caption, "Label1"), 4, 0);
    grid->addWidget(supportLink, 4, 1);
    grid->addWidget(contact, 4, 2);

    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("TeThemeButton1"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* column = new QVBoxLayout(this);
    column->addWidget(bevel);
    column->addWidget(close, 0, Qt::AlignRight);
    setFixedSize(sizeHint().expandedTo(QSize(303, 222)));
}

void TForm_About::Label3Click()
{
    // the shell's result is not reported: a browser that does not start says so itself
    QDesktopServices::openUrl(QUrl(QLatin1String(WebAddress)));
}

void ShowHelpFile(const QString& programDir)
{
    const QString path = QDir(programDir).filePath(QStringLiteral("QL4720.chm"));
    if (!QFile::exists(path))
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        ErrorReport::Show(QStringLiteral("HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!"));
}
