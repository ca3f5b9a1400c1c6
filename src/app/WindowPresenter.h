#pragma once

#include "document/ProfileDocument.h"

#include <array>

class ImageView;
class QMainWindow;
namespace Ui {
class MainWindow;
}

// Shows the document in the window's controls: the picture and selection in
// the crop view, the looks' buttons, the colour wells, the text controls and
// the previews, and the busy indicator around every run. It only sets
// controls; their edits reach the document through the controller.
class WindowPresenter {
public:
    WindowPresenter(Ui::MainWindow& ui, QMainWindow* window);

    // From now on the controls follow the document.
    void Bind(ProfileDocument& document);
    // An edit the user made in a control: what the document says back is not
    // set in the controls that made it (a text field would lose its cursor).
    template <class Edit> void FromControl(Edit edit) {
        _fromControl = true;
        edit();
        _fromControl = false;
    }
    // A gesture in the crop view left this selection.
    void SelectedInView(const CropFractions& crop) { _shownSelection = crop; }

    // The facebook previews fade out, the twitter ones vanish at once.
    void HidePreviews();
    // Each preview shows its target's picture and fades in.
    void ShowPreviews(const ProfileDocument::Previews& previews);
    void ShowRound(bool round);
    void SetBusy(bool busy);

private:
    void ShowPicture(const QImage& picture, QSize photoSize);
    void ShowSelection(const CropFractions& crop);
    void ShowLooks(const LookSet& looks);
    void ShowText(const TextLine& text);

    Ui::MainWindow& _ui;
    QMainWindow* _window;
    std::array<ImageView*, ProfileTargets::kTargetCount> _previews{}; // by target row
    // The selection the crop view shows, as it last told or was told.
    CropFractions _shownSelection;
    bool _fromControl = false;
};
