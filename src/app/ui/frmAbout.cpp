#include "frmAbout.h"
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// A small drawn logo: the bob inside the cup.
QPixmap logo()
{
    QPixmap pm(72, 72);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 70, 120), 4));
    p.drawRoundedRect(8, 8, 56, 60, 6, 6);
    p.setBrush(QColor(230, 150, 40));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(24, 4, 24, 52, 4, 4);
    return pm;
}
}

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    auto *layout = new QVBoxLayout(this);
    auto *image = new QLabel(this);
    image->setPixmap(logo());
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
    const QStringList lines = {
        QStringLiteral("Rovudaze of KX720pH viscometer for fracture fluids"),
        QStringLiteral("Rheology you can design a job on."),
        QStringLiteral("Version 1.2.2"),
        QStringLiteral("2024-2026"),
        QStringLiteral("Runs up to eight instruments; reviews, charts and reports saved tests."),
    };
    for (const QString &line : lines) {
        auto *label = new QLabel(line, this);
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    auto *ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignCenter);
}
