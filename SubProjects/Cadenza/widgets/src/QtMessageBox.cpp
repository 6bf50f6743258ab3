#include "QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace QtMessageBox {

namespace {

QMessageBox::Icon toQt(Platform::MsgIcon icon)
{
    switch (icon) {
    case Platform::MsgIcon::Information:
        return QMessageBox::Information;
    case Platform::MsgIcon::Warning:
        return QMessageBox::Warning;
    case Platform::MsgIcon::Critical:
        return QMessageBox::Critical;
    case Platform::MsgIcon::Question:
        return QMessageBox::Question;
    case Platform::MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(Platform::MsgButtons buttons)
{
    switch (buttons) {
    case Platform::MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Platform::MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Platform::MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Platform::MsgButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

QString boxText(const std::string& text)
{
    QString result = QString::fromUtf8(text);
    result.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // The tag library marks its texts (LEGATO_TRANSLATE_NOOP) but cannot
    // translate them: a line that is one of them is shown translated.
    QStringList lines = result.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        const QByteArray source = line.toUtf8();
        line = QCoreApplication::translate("Quaver", source.constData());
    }
    return lines.join(QLatin1Char('\n'));
}

std::unique_ptr<QMessageBox> create(const Platform::MessageBoxRequest& request)
{
    auto box = std::make_unique<QMessageBox>();
    box->setIcon(toQt(request.icon));
    box->setTextFormat(Qt::PlainText);
    box->setText(boxText(request.text));
    const QString caption = QString::fromUtf8(request.caption);
    box->setWindowTitle(caption.isEmpty() ? QApplication::applicationDisplayName() : caption);
    box->setStandardButtons(toQt(request.buttons));
    return box;
}

Platform::MsgResult show(const Platform::MessageBoxRequest& request)
{
    auto box = create(request);
    switch (box->exec()) {
    case QMessageBox::Cancel:
        return Platform::MsgResult::Cancel;
    case QMessageBox::Yes:
        return Platform::MsgResult::Yes;
    case QMessageBox::No:
        return Platform::MsgResult::No;
    default:
        return Platform::MsgResult::Ok;
    }
}

void install()
{
    Platform::setMessageBoxHandler(&show);
}

} // namespace QtMessageBox
