#pragma once

#include "document/EditHistory.h"
#include "document/EditState.h"
#include "document/ProfileSaver.h"
#include "image/PictureReader.h"
#include "render/CardStyle.h"
#include "render/FaceFinder.h"
#include "render/NetworkSets.h"
#include "render/ProfileTargets.h"
#include "render/RenderRequest.h"
#include "render/RenderResult.h"
#include "render/Renderer.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <bitset>
#include <vector>

class QThread;

// The picture being made into profile pictures and every edit of it: the
// selection, the looks, the colours and the text line, the save choices (the
// network set among them), the renderer that turns them into the profile
// pictures, and the undo history.
// Widget-free: the window binds its controls to it, and a test or another
// program can drive it alone.
//
// Each edit is a method that changes the state, renders as the window always
// has (a full run after the selection, a look or a colour changed, a cached
// run after a text edit, none after opening) and records one undo step; then
// the signals say what changed.
class ProfileDocument : public QObject {
    Q_OBJECT

public:
    // The save boxes that are ticked, by their row in ProfileTargets::SaveBoxes().
    using SaveChoice = std::bitset<ProfileTargets::kSaveBoxCount>;
    using Previews = std::array<QImage, ProfileTargets::kTargetCount>;
    enum class Colour { Colorize, Text, TextBackground };

    using SavedFile = ProfileSaver::SavedFile;

    // The colours at launch.
    static constexpr QColor kColorize{255, 0, 0};
    static constexpr QColor kTextColour{0, 0, 0};
    static constexpr QColor kTextBackground{255, 255, 255};
    // The text size at launch, in points.
    static constexpr float kTextSize = 8.0f;
    // Today's previews all have this side: one on-screen size whatever the
    // network's upload size, which only the files have.
    static constexpr float kTodayPreviewSide = 96.0f;

    explicit ProfileDocument(QObject* parent = nullptr);
    ~ProfileDocument() override;

    // --- what is edited ------------------------------------------------------
    // The picture the selection is made on: as opened, then turned.
    const QImage& Picture() const { return _source; }
    // The photo's own size, turned likewise.
    QSize PhotoSize() const { return _state.orientation.Apply(_state.photoSize); }
    float Straightening() const { return _state.orientation.straighten; }
    const CropFractions& Selection() const { return _state.crop; }
    const LookSet& Looks() const { return _state.looks; }
    const MoreLookSet& MoreLooksOn() const { return _state.moreLooks; }
    QColor ColourOf(Colour which) const;
    const TextLine& Text() const { return _state.text; }
    const SaveChoice& SaveBoxes() const { return _save; }
    // The format the chosen set saves in: TIFF for 2012 and JPEG for today's
    // at first, then what the save sheet chose for that set.
    const QString& SaveFormat() const { return _isToday ? _todayFormat : _saveFormat; }
    // What a run would be asked for now.
    RenderRequest Request() const;

    // --- what was rendered -----------------------------------------------------
    // Whether the processed picture is up to date: the next run is a cached one.
    bool UseCached() const { return _useCached; }
    // The processed picture of the last full run (null before one).
    const QImage& Processed() const { return _renderer.Processed(); }
    // The profile pictures of the last run, by target row.
    const Previews& Rendered() const { return _previews; }
    QUndoStack* UndoStack() { return _history.Stack(); }
    const FaceFinder& Faces() const { return _faceFinder; }
    // One per network of today's set, in its order, made from the last run
    // (the 512 one, so edits stay as fast) at kTodayPreviewSide with the text
    // line at that size; null until a run with today's set chosen.
    QList<QImage> TodayPreviews() const;

    // --- the presentation card: save choices, no run, no step ------------------
    // How the card shows the whole picture (the compositor's switches off, on white at first).
    const CardStyle& Card() const { return _card; }
    void SetCard(const CardStyle& card) { _card = card; }
    // Whether a save writes the card too (not at first).
    bool SavesCard() const { return _saveCard; }
    void SetSavesCard(bool on) { _saveCard = on; }
    // The card of the whole picture as the last run made it; null before a run.
    QImage CardPicture() const { return _card.Card(_renderer.WholePicture(_state.text)); }

    // --- the network set: a save choice, no run, no step ----------------------
    // The chosen set: the networks of 2012 at first, or today's.
    const NetworkSet& Networks() const { return _isToday ? _today.set : _classic; }
    bool IsToday() const { return _isToday; }
    // What was wrong with the user's networks file (logged once); empty when nothing.
    const QString& NetworksMessage() const { return _today.message; }
    // NetworkSets::kClassicKey or kTodayKey; any other key changes nothing.
    void SetNetworkSet(const QString& key);
    // The ticked networks of the chosen set, in its order (all at first).
    QStringList ChosenNetworks() const;
    // Whether the chosen set's save writes the whole picture.
    bool SavesWhole() const;
    // Ticks or unticks a network of the chosen set, or its whole picture.
    void ToggleNetwork(const QString& id);
    void ToggleWhole();

    // --- the start ---------------------------------------------------------------
    // The looks off, every save box ticked, the text background on, the next run full.
    void ResetOptions();
    // The picture the window starts with and the launch colours; edits are
    // undo steps from now on.
    void Launch(const QImage& picture);

    // --- edits -----------------------------------------------------------------------
    // Reads the photo on a thread of its own and returns at once; when it is
    // read it becomes the picture, selected whole (a failed read leaves no
    // picture), with no run, and Opened says how it went. An open started
    // later supersedes one still reading.
    void Open(const QString& path);
    // Whether a photo is being read.
    bool Opening() const { return !_readers.empty(); }
    // The picture as if opened from a file, held within the same pixel budget.
    void Paste(const QImage& picture);
    // keyed: from the keyboard, where presses in quick succession are one step.
    void SetSelection(const CropFractions& crop, bool keyed = false);
    void ResetSelection();
    // Selects the square around the largest face; false (nothing changes) without one.
    bool FindFace();
    void ToggleLook(size_t row);
    // Switches one of the more looks (a row of MoreLooks::Rows()) on or off;
    // nothing, and no step, when it already is.
    void SetMoreLook(size_t row, bool on);
    void SetColour(Colour which, const QColor& colour);
    void SetText(const QString& text);
    void SetTextSize(float points);
    void ToggleTextBackground();
    // The picked position as fractions, the top one counted upward.
    void SetTextPosition(float left, float top);
    // Turns the picture exactly (a quarter turn or the mirror) before the crop;
    // the whole turned picture is selected.
    void Turn(PictureTurns::Turn turn);
    // Straightens the picture by that many degrees (within ±45; its own
    // rectangle, no empty corner); the whole of it is selected. keyed: from
    // the keyboard, where quick repeats are one step.
    void SetStraightening(float degrees, bool keyed = false);
    // Shows the picture straightened so in the crop view only, from a small
    // copy, while the user looks for the angle: no run, no step.
    void PreviewStraightening(float degrees);
    // Save choices are not edits of the picture: no run, no step.
    void ToggleSaveBox(size_t row);
    void SetSaveFormat(const QString& extension);

    // --- runs --------------------------------------------------------------------------
    // The next run is a full one.
    void MarkStale();
    // One run: full when stale, else cached.
    void Render();
    // The processed picture at its own size with the text line, brought up to
    // date first; null when the selection gives no picture.
    QImage CurrentWholePicture();

    // --- saving ------------------------------------------------------------------------
    // Writes the ticked networks' pictures, the whole picture and (when
    // chosen) the card as the name chosen in the save sheet gives them
    // (STEM_card.<ext>); what each file became. For 2012
    // the largest previews of the last run; for today's set one run at the
    // side its ticked networks need (NetworkSet::ProcessedSide), each file
    // fitted to its network's byte limit and format.
    QList<SavedFile> Save(const QString& chosenPath);
    // One network's largest picture, as the last run made it, named from base.
    void SaveSingleFile(const QString& base, const ProfileTarget& target);
    // The whole processed picture with the text line at its own size.
    void SaveOriginal(const QString& chosenPath);

signals:
    void OpenStarted(const QString& path);
    // After the picture is in place, or the read failed.
    void Opened(const QString& path, const PictureReader::Result& read);
    void PictureChanged(const QImage& picture, QSize photoSize);
    void SelectionChanged(const CropFractions& crop);
    void LooksChanged(const LookSet& looks);
    void MoreLooksChanged(const MoreLookSet& looks);
    void ColourChanged(ProfileDocument::Colour which, const QColor& colour);
    void TextChanged(const TextLine& text);
    // Around every run; PreviewsChanged also when an undo step brings back
    // what the previews held.
    void RunStarted();
    void PreviewsChanged(const ProfileDocument::Previews& previews);
    // With today's set chosen: after every run, and when the set is chosen.
    void TodayPreviewsChanged(const QList<QImage>& previews);
    void RunEnded();
    void NetworkSetChanged(const NetworkSet& set);

private:
    void Read(const QString& path, quint64 open);
    void FinishOpen(const QString& path, quint64 open, const PictureReader::Result& read);
    void SetPicture(const QImage& picture, QSize photoSize, const QString& step);
    void Orient(const Orientation& orientation, const QString& step, int mergeKey = 0);
    // The picture turned as the state says, made again only when that changed.
    void MakeSource();
    // A full run, then one undo step.
    void EditedPicture(const QString& step, int mergeKey = 0);
    // A cached run (when `render`), then one undo step.
    void EditedText(const QString& step, int mergeKey = 0, bool render = true);
    // Today's previews made anew and told, when today's set is chosen.
    void ShowToday();
    bool Saves(const char* network) const;
    NetworkChoice SavedNetworks() const;
    EditState Capture() const;
    void Restore(const EditState& state);
    void EmitAll(bool pictureChanged);

    EditState _state;
    QImage _source; // _state.picture turned by _state.orientation
    qint64 _sourceOf = 0;
    Orientation _sourceOrientation;
    SaveChoice _save;
    CardStyle _card;
    bool _saveCard = false;
    QString _saveFormat = QStringLiteral("tif");
    const NetworkSet _classic;
    const LoadedNetworkSet _today;
    bool _isToday = false;
    QSet<QString> _untickedToday;
    bool _todayWhole = true;
    QString _todayFormat;
    QImage _todayPreview;
    bool _useCached = false;
    Renderer _renderer;
    Previews _previews;
    FaceFinder _faceFinder;
    EditHistory _history;
    // The threads reading photos; only the newest open's picture is taken.
    std::vector<QThread*> _readers;
    quint64 _newestOpen = 0;
    // The current save: what it tried to write.
    ProfileSaver _saver;
};
