#include "document/ProfileDocument.h"

#include "render/PictureEncoder.h"
#include "render/ProfileFiles.h"
#include "render/SelectionProposals.h"

#include <QDebug>
#include <QGuiApplication>
#include <QThread>
#include <algorithm>
#include <exception>

namespace {

void Log(const QString& line) {
    qInfo().noquote() << line;
}

void LogFailure(const std::exception& e) {
    Log(QString::fromLocal8Bit(e.what()));
}

size_t RowOf(const ProfileTarget& target) {
    return size_t(&target - ProfileTargets::Targets().data());
}

// The row of a network's save box (nullptr: the whole picture's), or
// kSaveBoxCount when there is none.
size_t BoxRow(const char* network) {
    for (size_t row = 0; row < ProfileTargets::kSaveBoxCount; ++row) {
        const char* saved = ProfileTargets::SaveBoxes()[row].network;
        if (network == nullptr ? saved == nullptr
                               : saved != nullptr && QLatin1String(saved) == network) {
            return row;
        }
    }
    return ProfileTargets::kSaveBoxCount;
}

} // namespace

ProfileDocument::ProfileDocument(QObject* parent)
    : QObject(parent), _classic(NetworkSets::Classic()), _today(NetworkSets::Today()),
      _todayFormat(QLatin1String(PictureEncoder::kFitFormat)),
      _history([this] { return Capture(); }, [this](const EditState& state) { Restore(state); }) {
    if (!_today.message.isEmpty()) {
        Log(_today.message);
    }
    _state.colorize = kColorize;
    _state.text.size = kTextSize;
    _state.text.colour = kTextColour;
    _state.text.background = kTextBackground;
    // The standard interface font, sized per picture.
    _state.text.font = QGuiApplication::font();
    ResetOptions();
}

ProfileDocument::~ProfileDocument() {
    // A decoder can't be stopped halfway; its picture is dropped.
    for (QThread* reader : _readers) {
        reader->wait();
        delete reader;
    }
}

QColor ProfileDocument::ColourOf(Colour which) const {
    switch (which) {
    case Colour::Colorize:
        return _state.colorize;
    case Colour::Text:
        return _state.text.colour;
    case Colour::TextBackground:
        break;
    }
    return _state.text.background;
}

RenderRequest ProfileDocument::Request() const {
    RenderRequest request;
    request.source = _source;
    request.selection = _state.crop.OnPicture(float(_source.width()), float(_source.height()));
    request.looks = _state.looks;
    request.moreLooks = _state.moreLooks;
    request.colorize = _state.colorize;
    request.text = _state.text;
    return request;
}

// --- the start ---------------------------------------------------------------------

void ProfileDocument::ResetOptions() {
    _state.looks.reset();
    _state.moreLooks.reset();
    _save.set();
    _untickedToday.clear();
    _todayWhole = true;
    _state.text.useBackground = true;
    MarkStale();
}

void ProfileDocument::Launch(const QImage& picture) {
    _state.picture = picture;
    _state.photoSize = picture.size();
    MakeSource();
    _state.colorize = kColorize;
    _state.text.colour = kTextColour;
    _state.text.background = kTextBackground;
    EmitAll(true);
    _history.Start();
}

// --- edits -----------------------------------------------------------------------------

void ProfileDocument::Open(const QString& path) {
    const quint64 open = ++_newestOpen;
    emit OpenStarted(path);
    QThread* reader = QThread::create([this, path, open] { Read(path, open); });
    _readers.push_back(reader);
    connect(reader, &QThread::finished, this, [this, reader] {
        std::erase(_readers, reader);
        reader->deleteLater();
    });
    reader->start();
}

void ProfileDocument::Read(const QString& path, quint64 open) {
    PictureReader::Result read;
    try {
        read = PictureReader::Read(path);
    } catch (const std::exception& e) {
        read.failure = PictureReader::Failure::TooLarge;
        read.reason = QString::fromLocal8Bit(e.what());
    }
    // Handed to the document's thread; the destructor waits for this thread,
    // so the document is still there.
    QMetaObject::invokeMethod(
        this, [this, path, open, read] { FinishOpen(path, open, read); }, Qt::QueuedConnection);
}

void ProfileDocument::FinishOpen(const QString& path, quint64 open,
                                 const PictureReader::Result& read) {
    if (open != _newestOpen) {
        return; // superseded by a later open
    }
    if (read.picture.isNull() && !read.reason.isEmpty()) {
        Log(read.reason);
    }
    SetPicture(read.picture, read.photoSize, tr("Open picture"));
    emit Opened(path, read);
}

void ProfileDocument::Paste(const QImage& pasted) {
    const QSize photoSize = pasted.size();
    const QSize held = PictureReader::HeldSize(photoSize);
    const QImage picture =
        held == photoSize ? pasted
                          : pasted.scaled(held, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    SetPicture(picture, photoSize, tr("Paste picture"));
}

void ProfileDocument::SetPicture(const QImage& picture, QSize photoSize, const QString& step) {
    _state.picture = picture;
    _state.photoSize = photoSize;
    _state.orientation = {};
    MakeSource();
    if (!picture.isNull()) {
        _state.crop = CropFractions{};
    }
    // The kept processed picture belongs to the previous picture now.
    MarkStale();
    emit PictureChanged(_source, PhotoSize());
    emit SelectionChanged(_state.crop);
    _history.Record(step);
}

void ProfileDocument::Turn(PictureTurns::Turn turn) {
    using T = PictureTurns::Turn;
    Orient(_state.orientation.Then(turn), turn == T::Flip   ? tr("Flip horizontally")
                                          : turn == T::Left ? tr("Rotate left")
                                                            : tr("Rotate right"));
}

void ProfileDocument::SetStraightening(float degrees, bool keyed) {
    Orientation orientation = _state.orientation;
    orientation.straighten =
        std::clamp(degrees, -PictureTurns::kMaxStraighten, PictureTurns::kMaxStraighten);
    Orient(orientation, tr("Straighten"), keyed ? EditHistory::kStraightenKeys : 0);
}

void ProfileDocument::PreviewStraightening(float degrees) {
    // A copy about the crop view's size: the full photo would take a while at every step.
    constexpr int kPreviewSide = 1600;
    Orientation upright = _state.orientation;
    upright.straighten = 0.0f;
    const QImage turned = upright.Apply(_state.picture);
    const QImage small = std::max(turned.width(), turned.height()) <= kPreviewSide
                             ? turned
                             : turned.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio,
                                             Qt::SmoothTransformation);
    upright.straighten = degrees;
    emit PictureChanged(PictureTurns::Straightened(small, degrees),
                        upright.Apply(_state.photoSize));
}

void ProfileDocument::Orient(const Orientation& orientation, const QString& step, int mergeKey) {
    if (_state.picture.isNull()) {
        return;
    }
    _state.orientation = orientation;
    _state.crop = CropFractions{};
    MakeSource();
    emit PictureChanged(_source, PhotoSize());
    emit SelectionChanged(_state.crop);
    EditedPicture(step, mergeKey);
}

void ProfileDocument::MakeSource() {
    if (_state.picture.cacheKey() == _sourceOf && _state.orientation == _sourceOrientation &&
        !_source.isNull()) {
        return;
    }
    _source = QImage(); // its memory goes before the new one is made
    _source = _state.orientation.Apply(_state.picture);
    _sourceOf = _state.picture.cacheKey();
    _sourceOrientation = _state.orientation;
}

void ProfileDocument::SetSelection(const CropFractions& crop, bool keyed) {
    _state.crop = crop;
    emit SelectionChanged(crop);
    EditedPicture(tr("Selection"), keyed ? EditHistory::kSelectionKeys : 0);
}

void ProfileDocument::ResetSelection() {
    if (!_source.isNull()) {
        _state.crop = CropFractions{};
        emit SelectionChanged(_state.crop);
    }
    EditedPicture(tr("Reset selection"));
}

bool ProfileDocument::FindFace() {
    const std::optional<SelectionProposal> square =
        SelectionProposals::FaceSquare(_source, _faceFinder);
    if (!square) {
        return false;
    }
    const FloatRect& s = square->picture;
    const float width = float(_source.width());
    const float height = float(_source.height());
    _state.crop = {s.x / width, (s.x + s.width) / width, s.y / height, (s.y + s.height) / height};
    emit SelectionChanged(_state.crop);
    EditedPicture(tr("Find face"));
    return true;
}

void ProfileDocument::ToggleLook(size_t row) {
    _state.looks.flip(row);
    emit LooksChanged(_state.looks);
    EditedPicture(tr("Look"));
}

void ProfileDocument::SetMoreLook(size_t row, bool on) {
    if (row >= MoreLooks::kCount || _state.moreLooks[row] == on) {
        return; // also when a control only shows what an undo step brought back
    }
    _state.moreLooks[row] = on;
    emit MoreLooksChanged(_state.moreLooks);
    EditedPicture(tr("Look"));
}

void ProfileDocument::SetColour(Colour which, const QColor& colour) {
    (which == Colour::Colorize ? _state.colorize
     : which == Colour::Text   ? _state.text.colour
                               : _state.text.background) = colour;
    emit ColourChanged(which, colour);
    EditedPicture(tr("Colour"));
}

void ProfileDocument::SetText(const QString& text) {
    _state.text.text = text;
    EditedText(tr("Typing"), EditHistory::kTyping);
}

void ProfileDocument::SetTextSize(float points) {
    _state.text.size = points;
    EditedText(tr("Text size"), EditHistory::kTextSize);
}

void ProfileDocument::ToggleTextBackground() {
    _state.text.useBackground = !_state.text.useBackground;
    EditedText(tr("Text background"));
}

void ProfileDocument::SetTextPosition(float left, float top) {
    _state.text.left = left;
    _state.text.top = top;
    // Without text the previews show nothing that moves.
    EditedText(tr("Text position"), 0, !_state.text.text.isEmpty());
}

void ProfileDocument::ToggleSaveBox(size_t row) {
    _save.flip(row);
}

void ProfileDocument::SetSaveFormat(const QString& extension) {
    (_isToday ? _todayFormat : _saveFormat) = extension;
}

// --- the network set -----------------------------------------------------------------

void ProfileDocument::SetNetworkSet(const QString& key) {
    const bool today = key == QLatin1String(NetworkSets::kTodayKey);
    if (!today && key != QLatin1String(NetworkSets::kClassicKey)) {
        return;
    }
    _isToday = today;
    emit NetworkSetChanged(Networks());
    ShowToday();
}

QStringList ProfileDocument::ChosenNetworks() const {
    QStringList chosen;
    for (const Network& network : Networks().networks) {
        if (_isToday ? !_untickedToday.contains(network.id)
                     : Saves(network.id.toLatin1().constData())) {
            chosen << network.id;
        }
    }
    return chosen;
}

bool ProfileDocument::SavesWhole() const {
    return _isToday ? _todayWhole : Saves(nullptr);
}

void ProfileDocument::ToggleNetwork(const QString& id) {
    if (!_isToday) {
        const size_t row = BoxRow(id.toLatin1().constData());
        if (row < ProfileTargets::kSaveBoxCount) {
            ToggleSaveBox(row);
        }
    } else if (!_untickedToday.remove(id) && _today.set.Find(id) != nullptr) {
        _untickedToday.insert(id);
    }
}

void ProfileDocument::ToggleWhole() {
    if (_isToday) {
        _todayWhole = !_todayWhole;
    } else {
        ToggleSaveBox(BoxRow(nullptr));
    }
}

QList<QImage> ProfileDocument::TodayPreviews() const {
    return QList<QImage>(_today.set.networks.size(), _todayPreview);
}

void ProfileDocument::ShowToday() {
    if (!_isToday) {
        return;
    }
    _todayPreview = _renderer.NetworkPicture(kTodayPreviewSide, _state.text);
    emit TodayPreviewsChanged(TodayPreviews());
}

void ProfileDocument::EditedPicture(const QString& step, int mergeKey) {
    MarkStale();
    Render();
    _history.Record(step, mergeKey);
}

void ProfileDocument::EditedText(const QString& step, int mergeKey, bool render) {
    emit TextChanged(_state.text);
    if (render) {
        Render();
    }
    _history.Record(step, mergeKey);
}

// --- runs -------------------------------------------------------------------------------

void ProfileDocument::MarkStale() {
    _useCached = false;
}

void ProfileDocument::Render() {
    emit RunStarted();
    try {
        if (!_useCached) {
            _renderer.Invalidate();
        }
        _previews = _renderer.Render(Request()).targets;
        emit PreviewsChanged(_previews);
        ShowToday();
        _useCached = true;
    } catch (const std::exception& e) {
        LogFailure(e); // the previews stay as they were; the next run is full again
    }
    emit RunEnded();
}

QImage ProfileDocument::CurrentWholePicture() {
    if (!_useCached) {
        Render();                            // what is shown now
        _history.Record(tr("Copy picture")); // no step: only the previews are new
    }
    return Processed().isNull() ? QImage() : _renderer.WholePicture(_state.text);
}

// --- saving --------------------------------------------------------------------------------

QList<ProfileDocument::SavedFile> ProfileDocument::Save(const QString& chosenPath) {
    _saver = ProfileSaver(_isToday ? _todayFormat : _saveFormat);
    const CardStyle* card = _saveCard ? &_card : nullptr;
    try {
        if (_isToday) {
            _saver.SaveToday(chosenPath, _today.set, ChosenNetworks(), _todayWhole, Request(),
                             card);
        } else {
            // The whole picture carries the text in proportion to its width.
            _saver.SaveClassic(chosenPath, SavedNetworks(), Saves(nullptr), _previews,
                               _renderer.WholePicture(_state.text), card);
        }
    } catch (const std::exception& e) {
        LogFailure(e);
        _saver.Failed(ProfileFiles::OriginalPath(chosenPath), QString::fromLocal8Bit(e.what()));
    }
    return _saver.Files();
}

void ProfileDocument::SaveSingleFile(const QString& base, const ProfileTarget& target) {
    // What the last run made is what the previews show.
    _saver.SaveTarget(base, target, _previews[RowOf(target)]);
}

void ProfileDocument::SaveOriginal(const QString& chosenPath) {
    if (!Processed().isNull()) {
        // The whole picture carries the text in proportion to its width.
        _saver.SaveWhole(chosenPath, _renderer.WholePicture(_state.text));
    }
}

bool ProfileDocument::Saves(const char* network) const {
    const size_t row = BoxRow(network);
    return row < ProfileTargets::kSaveBoxCount && _save[row];
}

NetworkChoice ProfileDocument::SavedNetworks() const {
    NetworkChoice networks;
    const auto& saved = ProfileTargets::SavedTargets();
    for (size_t row = 0; row < saved.size(); ++row) {
        networks[row] = Saves(saved[row]->network);
    }
    return networks;
}

// --- undo and redo -----------------------------------------------------------------------------

EditState ProfileDocument::Capture() const {
    EditState state = _state;
    state.rendered = _useCached;
    // A rendered state renders again when restored; only the others keep what
    // the previews showed, so the steps stay small.
    if (!state.rendered) {
        state.previews = _previews;
    }
    return state;
}

void ProfileDocument::Restore(const EditState& state) {
    const bool pictureChanged = state.picture.cacheKey() != _state.picture.cacheKey() ||
                                state.photoSize != _state.photoSize ||
                                state.orientation != _state.orientation;
    const QFont font = _state.text.font;
    _state = state;
    _state.text.font = font;
    _state.previews = {};
    EmitAll(pictureChanged);
    MarkStale();
    if (state.rendered) {
        Render();
    } else {
        _previews = state.previews;
        emit PreviewsChanged(_previews);
        ShowToday();
    }
}

void ProfileDocument::EmitAll(bool pictureChanged) {
    if (pictureChanged) {
        MakeSource();
        emit PictureChanged(_source, PhotoSize());
    }
    emit SelectionChanged(_state.crop);
    emit LooksChanged(_state.looks);
    emit MoreLooksChanged(_state.moreLooks);
    for (const Colour which : {Colour::Colorize, Colour::Text, Colour::TextBackground}) {
        emit ColourChanged(which, ColourOf(which));
    }
    emit TextChanged(_state.text);
}
