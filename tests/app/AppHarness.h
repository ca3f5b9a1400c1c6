#pragma once

#include "support/CaseName.h"

#include "app/AppController.h"

#include <QImage>
#include <QList>
#include <QMainWindow>
#include <QObject>
#include <QStatusBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <memory>

class ImageView;

// The real main window, built by AppController exactly as main builds it,
// shown on the offscreen platform and launched.
class AppHarness {
public:
    explicit AppHarness(const QUrl& versionEndpoint = ClosedEndpoint());
    ~AppHarness();

    AppController& Controller() { return *_controller; }
    QMainWindow* Window() const { return _controller->window(); }

    // The control of that objectName; a test failure when there is none.
    template <class T> T* Find(const char* objectName) const {
        T* found = Window()->findChild<T*>(QLatin1String(objectName));
        if (found == nullptr) {
            ADD_FAILURE() << "no control named " << objectName;
        }
        return found;
    }
    QImage Preview(const char* objectName) const;
    QString Status() const { return Window()->statusBar()->currentMessage(); }

    // Writes the picture as a PNG file in the test's folder; its path.
    QString WriteFile(const QString& name, const QImage& picture);
    // Opens the picture like a confirmed open sheet.
    void Open(const QImage& picture);
    // Opens the file like a confirmed open sheet and waits until it is read.
    void OpenFile(const QString& path);
    // Waits until no photo is being read any more; false after a minute.
    bool ReadingDone();
    // Clicks a button (a look, a save box, Reset selection ...) with the mouse.
    void Click(const char* objectName);
    void Type(const QString& text);
    QString Folder() const { return _folder.path(); }

    // An HTTP address on this machine where nothing listens.
    static QUrl ClosedEndpoint();

private:
    std::unique_ptr<AppController> _controller;
    QTemporaryDir _folder;
};

// An HTTP reply with that status and body, closing the connection.
QByteArray HttpReply(int status, const QByteArray& body);

// Stands in for the maker's version endpoint on 127.0.0.1: once a request's header is in, it
// answers with fixed bytes and closes, or never answers. Closed: nothing listens at the address.
class LocalVersionServer {
public:
    enum class Mode { Answer, Stall, Closed };
    explicit LocalVersionServer(Mode mode, QByteArray answer = {});
    QUrl Url() const;
    int Requests() const { return _requests; }

private:
    QTcpServer _server;
    Mode _mode;
    QByteArray _answer;
    quint16 _port = 0;
    int _requests = 0;
};

// Catches the web addresses the application asks the desktop to open.
class AddressCatcher : public QObject {
    Q_OBJECT

public:
    AddressCatcher();
    ~AddressCatcher() override;
    QList<QUrl> opened;

public slots:
    void Open(const QUrl& address);
};
