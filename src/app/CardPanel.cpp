#include "app/CardPanel.h"

#include "ui_MainWindow.h"
#include "views/ColorWell.h"
#include "views/ImageView.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The save boxes take rows 0 to 2 of the save group's grid; the card's row
// goes under them and the save button under that.
constexpr int kCardRow = 3;
constexpr int kSaveButtonRow = 4;
constexpr int kColumns = 2;
constexpr int kPreviewSide = 200;
constexpr QSize kWellSize{44, 24};

} // namespace

CardPanel::CardPanel(Ui::MainWindow& ui, QMainWindow* window, ProfileDocument& document)
    : QObject(window), _document(document) {
    auto* save = new QCheckBox(tr("Card"));
    save->setObjectName(QStringLiteral("save_card"));
    save->setAccessibleName(tr("Save the presentation card"));
    save->setToolTip(tr("Also save the whole picture as a card, NAME_card"));
    save->setChecked(document.SavesCard());
    connect(save, &QCheckBox::clicked, this, [this](bool on) { _document.SetSavesCard(on); });
    auto* open = new QPushButton(tr("Card…"));
    open->setObjectName(QStringLiteral("cardButton"));
    open->setAccessibleName(tr("Card settings"));
    _dialog = MakeDialog(window);
    connect(open, &QPushButton::clicked, this, [this] {
        _dialog->show();
        _dialog->raise();
        ShowCard();
    });
    ui.saveGrid->removeWidget(ui.saveButton);
    ui.saveGrid->addWidget(save, kCardRow, 0);
    ui.saveGrid->addWidget(open, kCardRow, 1);
    ui.saveGrid->addWidget(ui.saveButton, kSaveButtonRow, 0, 1, kColumns);
    _soon = new QTimer(this);
    _soon->setSingleShot(true);
    connect(_soon, &QTimer::timeout, this, &CardPanel::ShowCard);
    connect(&document, &ProfileDocument::PreviewsChanged, this, &CardPanel::ShowCardSoon);
}

QDialog* CardPanel::MakeDialog(QMainWindow* window) {
    auto* dialog = new QDialog(window);
    dialog->setObjectName(QStringLiteral("cardDialog"));
    dialog->setWindowTitle(tr("Presentation card"));
    auto* form = new QFormLayout;
    for (const CardSwitch& each : CardStyle::Switches()) {
        auto* box = new QCheckBox(tr(each.name));
        box->setObjectName(QLatin1String("card_") + QLatin1String(each.key));
        box->setAccessibleName(tr("Card: %1").arg(tr(each.name).toLower()));
        box->setChecked(_document.Card().*each.on);
        bool CardStyle::*on = each.on;
        connect(box, &QCheckBox::clicked, this,
                [this, on](bool checked) { SetSwitch(on, checked); });
        form->addRow(box);
    }
    auto* well = new ColorWell;
    well->setObjectName(QStringLiteral("card_background"));
    well->setAccessibleName(tr("Card background colour"));
    well->setFixedSize(kWellSize);
    well->setColor(_document.Card().background);
    connect(well, &ColorWell::colorChanged, this, &CardPanel::SetBackground);
    form->addRow(tr("Background"), well);
    _preview = new ImageView;
    _preview->setObjectName(QStringLiteral("card_preview"));
    _preview->setAccessibleName(tr("The card"));
    _preview->setFixedSize(kPreviewSide, kPreviewSide);
    auto* column = new QVBoxLayout(dialog);
    column->addLayout(form);
    column->addWidget(_preview, 0, Qt::AlignHCenter);
    column->addWidget(
        new QLabel(tr("Saved as NAME_card with the profile pictures when Card is ticked.")));
    return dialog;
}

void CardPanel::SetSwitch(bool CardStyle::*on, bool checked) {
    CardStyle card = _document.Card();
    card.*on = checked;
    _document.SetCard(card);
    ShowCard();
}

void CardPanel::SetBackground(const QColor& colour) {
    CardStyle card = _document.Card();
    card.background = colour;
    _document.SetCard(card);
    ShowCard();
}

void CardPanel::ShowCardSoon() {
    if (_dialog->isVisible()) {
        _soon->start(0);
    }
}

void CardPanel::ShowCard() {
    if (_dialog->isVisible()) {
        _preview->setImage(_document.CardPicture());
    }
}
