#pragma once

#include "render/NetworkSet.h"
#include "render/PictureEncoder.h"
#include "render/ProfileFiles.h"
#include "render/RenderRequest.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <map>
#include <tuple>

class Renderer;

// A planned file of a network set's save, encoded: its bytes within the
// network's limit and the path they go to.
struct FittedFile {
    QString path; // the planned one, its extension that of the bytes (".jpg" once made JPEG)
    EncodedPicture encoded;

    // How the bytes were changed to fit ("JPEG quality 80"); empty when as asked.
    QString FitNote() const;
};

// The files of a network set from one run at the side its chosen networks
// need: the request for that run, what each planned file holds and its bytes.
// The window and the command line save a set through these. Networks of one
// size (Facebook, Instagram and Threads are all 320) share their picture, and
// those of one size, format and limit their bytes: each is made once per run.
class NetworkSetFiles {
public:
    // The files of the renderer's last run, each with the text line. The
    // renderer and the set must outlive this, the run unchanged.
    NetworkSetFiles(const Renderer& renderer, const NetworkSet& set, const TextLine& text);

    // The request at the side S the chosen networks need (NetworkSet::ProcessedSide).
    static RenderRequest AtSide(RenderRequest request, const NetworkSet& set,
                                const QStringList& chosenIds);
    // What a planned file holds, from the renderer's processed picture: its
    // network's picture at the network's size, or the whole picture, each with
    // the text line at its own size. Null before a run.
    QImage Picture(const PlannedFile& file);
    // The whole processed picture with the text line (also the card's); null before a run.
    QImage WholePicture();
    // Picture(file) in the file's planned format, within its network's byte
    // limit (the whole picture has none); no bytes and a reason when it can't be.
    FittedFile Encode(const PlannedFile& file);

private:
    // The whole picture, or a network's size.
    int SideOf(const PlannedFile& file) const;

    const Renderer& _renderer;
    const NetworkSet& _set;
    TextLine _text;
    std::map<int, QImage> _pictures;
    std::map<std::tuple<int, QString, qint64>, EncodedPicture> _encoded;
};
