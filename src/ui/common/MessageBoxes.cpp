#include "ui/common/MessageBoxes.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace MessageBoxes {
namespace {

TInterceptor& Interceptor()
{
    static TInterceptor interceptor;
    return interceptor;
}

QMessageBox::Icon ToQt(TMsgIcon icon)
{
    switch (icon) {
    case TMsgIcon::Warning:
        return QMessageBox::Warning;
    case TMsgIcon::Error:
        return QMessageBox::Critical;
    case TMsgIcon::Question:
        return QMessageBox::Question;
    case TMsgIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

}  // namespace

TMsgAnswer Show(QWidget* parent, const TMessageRecord& message)
{
    if (Interceptor())
        return Interceptor()(message);

    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    switch (message.Buttons) {
    case TMsgButtons::Ok:
        break;
    case TMsgButtons::YesNo:
        buttons = QMessageBox::Yes | QMessageBox::No;
        break;
    case TMsgButtons::YesNoCancel:
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        break;
    }
    // The texts keep their CR LF pairs; a label wants plain line feeds.
    QString text = message.Text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(ToQt(message.Icon), message.Caption, text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    const std::pair<QMessageBox::StandardButton, const char*> captions[] = {
        {QMessageBox::Yes, "Да"}, {QMessageBox::No, "Нет"}, {QMessageBox::Cancel, "Отмена"}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* b = box.button(which))
            b->setText(QString::fromUtf8(caption));
    switch (box.exec()) {
    case QMessageBox::Yes:
        return TMsgAnswer::Yes;
    case QMessageBox::No:
        return TMsgAnswer::No;
    case QMessageBox::Ok:
        return TMsgAnswer::Ok;
    default:
        return TMsgAnswer::Cancel;
    }
}

void Error(QWidget* parent, const QString& text)
{
    Show(parent, {MessageBoxTexts::kError, text, TMsgIcon::Error, TMsgButtons::Ok});
}

void Info(QWidget* parent, const QString& text)
{
    Show(parent, {MessageBoxTexts::kMessage, text, TMsgIcon::Information, TMsgButtons::Ok});
}

TMsgAnswer Ask(QWidget* parent, const QString& text, TMsgButtons buttons, TMsgIcon icon)
{
    return Show(parent, {MessageBoxTexts::kConfirm, text, icon, buttons});
}

void SetInterceptor(TInterceptor interceptor)
{
    Interceptor() = std::move(interceptor);
}

}  // namespace MessageBoxes
