#pragma once

#include "document/ProfileDocument.h"

#include <QList>
#include <QObject>
#include <memory>

class ImageView;
class QMainWindow;
class QSettings;
class QWidget;
namespace Ui {
class MainWindow;
}

// The window's side of the network sets. With today's set chosen it hides the
// previews and save boxes of 2012 and shows in their place one preview per
// network (`preview_<id>`, labelled "X · 400 px", in the network's shape when
// Round previews is on) and one save box per network (`save_<id>`) beside
// Whole picture (`save_whole`). It binds them to the document, keeps the
// chosen set between launches and tells once what was wrong with the user's
// networks file. Built in code: the form keeps the window of 2012 as it is.
class TodayPanel : public QObject {
    Q_OBJECT

public:
    // Where the chosen set is kept: the key in Settings().
    static constexpr char kSetKey[] = "view/networkSet";

    // Chooses the set the last launch had (2012 at the first) through the
    // View menu's actions, which WindowActions made.
    TodayPanel(Ui::MainWindow& ui, QMainWindow* window, ProfileDocument& document);
    ~TodayPanel() override;

    // The window's settings: trellica/trellica.conf in the user's configuration folder.
    static std::unique_ptr<QSettings> Settings();

private:
    void Build(const NetworkSet& set);
    QWidget* PreviewCell(const Network& network);
    QWidget* SaveBoxes(const NetworkSet& set);
    void ShowSet(const NetworkSet& set);
    void ShowPreviews(const QList<QImage>& previews);
    void ShowShapes();

    Ui::MainWindow& _ui;
    QMainWindow* _window;
    ProfileDocument& _document;
    QWidget* _previewArea = nullptr;
    QWidget* _saveBoxes = nullptr;
    QList<ImageView*> _previews; // by network of today's set
    QList<NetworkShape> _shapes;
    bool _round = false;
};
