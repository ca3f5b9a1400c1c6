#pragma once

#include "document/ProfileDocument.h"

#include <QObject>
#include <array>

class QAction;
class QMainWindow;
class QToolButton;
namespace Ui {
class MainWindow;
}

// The window's side of the more looks: a "More looks" button under the
// thirteen look buttons that opens the menu of their checkable actions
// (look_<key>, made by WindowActions in the menu bar's More looks menu), and
// the actions' check marks and the button's count kept as the document says.
// Built in code: the form keeps the thirteen buttons as they are.
class MoreLooksPanel : public QObject {
    Q_OBJECT

public:
    MoreLooksPanel(Ui::MainWindow& ui, QMainWindow* window, ProfileDocument& document);

private:
    void Show(const MoreLookSet& looks);

    QToolButton* _button = nullptr;
    std::array<QAction*, MoreLooks::kCount> _actions{};
};
