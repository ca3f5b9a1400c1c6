#pragma once

#include "document/ProfileDocument.h"

#include <QObject>
#include <array>

class ColorWell;
class ImageView;
class QCheckBox;
class QDialog;
class QMainWindow;
class QTimer;
namespace Ui {
class MainWindow;
}

// The window's side of the presentation card: a "Card" save box (save_card,
// off at first) and a "Card…" button (cardButton) in the save box group, for
// both network sets, and the small dialog it opens (cardDialog): the four
// switches (card_shadow, card_strip, card_frame, card_reflection), the
// background well (card_background) and the card as the last run makes it
// (card_preview). Save choices, like the save boxes: no run, no undo step.
// Built in code: the form keeps its save boxes as they are.
class CardPanel : public QObject {
    Q_OBJECT

public:
    CardPanel(Ui::MainWindow& ui, QMainWindow* window, ProfileDocument& document);

private:
    QDialog* MakeDialog(QMainWindow* window);
    void SetSwitch(bool CardStyle::*on, bool checked);
    void SetBackground(const QColor& colour);
    // The preview follows when the dialog is open, once the run is over.
    void ShowCardSoon();
    void ShowCard();

    ProfileDocument& _document;
    QDialog* _dialog = nullptr;
    ImageView* _preview = nullptr;
    QTimer* _soon = nullptr;
};
