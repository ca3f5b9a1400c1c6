#include "app/MoreLooksPanel.h"

#include "app/ControlNames.h"
#include "ui_MainWindow.h"

#include <QAction>
#include <QGridLayout>
#include <QMainWindow>
#include <QMenu>
#include <QToolButton>

namespace {

// Under the seven rows of the thirteen buttons, across both columns.
constexpr int kButtonRow = 7;
constexpr int kColumns = 2;

} // namespace

MoreLooksPanel::MoreLooksPanel(Ui::MainWindow& ui, QMainWindow* window, ProfileDocument& document)
    : QObject(window) {
    auto* menu = new QMenu(window);
    for (size_t row = 0; row < MoreLooks::kCount; ++row) {
        _actions[row] =
            window->findChild<QAction*>(QLatin1String(ControlNames::MoreLookActions()[row]));
        menu->addAction(_actions[row]);
    }
    _button = new QToolButton;
    _button->setObjectName(QStringLiteral("moreLooksButton"));
    _button->setAccessibleName(tr("More looks"));
    _button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    _button->setPopupMode(QToolButton::InstantPopup);
    _button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    _button->setMenu(menu);
    ui.looksGrid->addWidget(_button, kButtonRow, 0, 1, kColumns);
    connect(&document, &ProfileDocument::MoreLooksChanged, this, &MoreLooksPanel::Show);
    Show(document.MoreLooksOn());
}

void MoreLooksPanel::Show(const MoreLookSet& looks) {
    QStringList on;
    for (size_t row = 0; row < MoreLooks::kCount; ++row) {
        // Setting the state it already has changes nothing in the document.
        _actions[row]->setChecked(looks[row]);
        if (looks[row]) {
            on << _actions[row]->text();
        }
    }
    _button->setText(on.isEmpty() ? tr("More looks") : tr("More looks (%1 on)").arg(on.size()));
    _button->setToolTip(on.isEmpty() ? tr("Warmer, colder, grain, neon and ten more looks")
                                     : on.join(QStringLiteral(", ")));
}
