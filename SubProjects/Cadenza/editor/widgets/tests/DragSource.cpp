// legato-drag-source FILE...: a small window that starts a real drag of the
// given files (text/uri-list, as file managers offer them) when the mouse is
// pressed on it, so a drop onto the program can be tried under a virtual
// display without a file manager. "--text" drags the words as plain text.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>

namespace {

class DragSource : public QLabel
{
public:
    DragSource(QByteArrayList args, bool asText)
        : QLabel(QStringLiteral("drag me")), m_args(std::move(args)), m_asText(asText)
    {
        setAlignment(Qt::AlignCenter);
        resize(160, 80);
    }

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* data = new QMimeData;
        if (m_asText) {
            data->setText(QString::fromLocal8Bit(m_args.join(' ')));
        } else {
            QByteArray list;
            // The names' bytes as given, whatever their encoding.
            for (const QByteArray& a : m_args)
                list += "file://" + a.toPercentEncoding("/") + "\r\n";
            data->setData(QStringLiteral("text/uri-list"), list);
        }
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const Qt::DropAction result = drag->exec(Qt::CopyAction | Qt::MoveAction);
        setText(result == Qt::IgnoreAction ? QStringLiteral("ignored") : QStringLiteral("dropped"));
    }

private:
    QByteArrayList m_args;
    bool m_asText;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QByteArrayList args;
    for (int i = 1; i < argc; ++i)
        args << QByteArray(argv[i]);
    const bool asText = !args.isEmpty() && args.first() == "--text";
    if (asText)
        args.removeFirst();
    DragSource w(args, asText);
    w.setWindowTitle(QStringLiteral("drag-source"));
    w.show();
    return app.exec();
}
