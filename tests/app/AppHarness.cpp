#include "AppHarness.h"

#include "views/ImageView.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

AppHarness::AppHarness(const QUrl& versionEndpoint)
    : _controller(std::make_unique<AppController>(versionEndpoint)) {
    Window()->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Window()));
    _controller->applicationDidFinishLaunching();
}

AppHarness::~AppHarness() = default;

QImage AppHarness::Preview(const char* objectName) const {
    const ImageView* view = Find<ImageView>(objectName);
    return view ? view->image() : QImage();
}

QString AppHarness::WriteFile(const QString& name, const QImage& picture) {
    const QString path = _folder.filePath(name);
    EXPECT_TRUE(picture.save(path, "PNG")) << path.toStdString();
    return path;
}

void AppHarness::Open(const QImage& picture) {
    static int count = 0;
    OpenFile(WriteFile(QStringLiteral("opened%1.png").arg(++count), picture));
}

void AppHarness::OpenFile(const QString& path) {
    _controller->filePanelDidEnd(path, 1);
    EXPECT_TRUE(ReadingDone()) << path.toStdString();
}

bool AppHarness::ReadingDone() {
    return QTest::qWaitFor([this] { return !_controller->Document().Opening(); }, 60000);
}

void AppHarness::Click(const char* objectName) {
    if (auto* button = Find<QAbstractButton>(objectName)) {
        // Near the left edge: a check box reacts only on its box and label.
        const QPoint at(std::min(10, button->width() / 2), button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, {}, at);
    }
}

void AppHarness::Type(const QString& text) {
    if (auto* field = Find<QLineEdit>("theTextField")) {
        QTest::keyClicks(field, text);
    }
}

QUrl AppHarness::ClosedEndpoint() {
    return LocalVersionServer(LocalVersionServer::Mode::Closed).Url();
}

QByteArray HttpReply(int status, const QByteArray& body) {
    return "HTTP/1.1 " + QByteArray::number(status) +
           " X\r\nContent-Type: text/plain\r\nConnection: close\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

LocalVersionServer::LocalVersionServer(Mode mode, QByteArray answer)
    : _mode(mode), _answer(std::move(answer)) {
    _server.listen(QHostAddress::LocalHost, 0);
    _port = _server.serverPort();
    if (mode == Mode::Closed) {
        _server.close();
    }
    QObject::connect(&_server, &QTcpServer::newConnection, &_server, [this] {
        while (QTcpSocket* socket = _server.nextPendingConnection()) {
            auto header = std::make_shared<QByteArray>();
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, header] {
                const bool complete = header->contains("\r\n\r\n");
                *header += socket->readAll();
                if (complete || !header->contains("\r\n\r\n")) {
                    return;
                }
                ++_requests;
                if (_mode == Mode::Answer) {
                    socket->write(_answer);
                    socket->disconnectFromHost();
                }
            });
        }
    });
}

QUrl LocalVersionServer::Url() const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(_port));
}

AddressCatcher::AddressCatcher() {
    QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
}

AddressCatcher::~AddressCatcher() {
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void AddressCatcher::Open(const QUrl& address) {
    opened << address;
}
