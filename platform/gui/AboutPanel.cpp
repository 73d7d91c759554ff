#include "platform/gui/AboutPanel.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace platform::appkit {
namespace {

std::function<void(const AboutPanelContents&)>& Responder()
{
    static std::function<void(const AboutPanelContents&)> responder;
    return responder;
}

QLabel* CentredLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

void SetAboutPanelResponderForTesting(std::function<void(const AboutPanelContents&)> responder)
{
    Responder() = std::move(responder);
}

void ShowAboutPanel(const AboutPanelContents& contents)
{
    if (Responder()) {
        Responder()(contents);
        return;
    }
    const QString name = QString::fromStdString(contents.ApplicationName);
    QDialog panel;
    panel.setObjectName(QStringLiteral("aboutPanel"));
    panel.setWindowTitle(name);
    panel.setWindowModality(Qt::ApplicationModal);
    panel.setMinimumWidth(360);
    auto* layout = new QVBoxLayout(&panel);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->setSpacing(8);

    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull()) {
        auto* picture = new QLabel(&panel);
        picture->setPixmap(icon.pixmap(64, 64));
        picture->setAlignment(Qt::AlignHCenter);
        layout->addWidget(picture);
    }
    QLabel* title = CentredLabel(name, &panel);
    QFont bold = title->font();
    bold.setBold(true);
    if (bold.pointSizeF() > 0) bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title->setFont(bold);
    layout->addWidget(title);
    if (!contents.Version.empty()) {
        layout->addWidget(CentredLabel(QStringLiteral("Version %1").arg(QString::fromStdString(contents.Version)), &panel));
    }
    if (!contents.RightsNotice.empty()) {
        QLabel* notice = CentredLabel(QString::fromStdString(contents.RightsNotice), &panel);
        QFont small = notice->font();
        if (small.pointSizeF() > 0) small.setPointSizeF(small.pointSizeF() * 0.85);
        notice->setFont(small);
        layout->addSpacing(4);
        layout->addWidget(notice);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &panel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &panel, &QDialog::accept);
    layout->addSpacing(8);
    layout->addWidget(buttons, 0, Qt::AlignHCenter);
    panel.exec();
}

} // namespace platform::appkit
