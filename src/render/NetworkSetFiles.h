#pragma once

#include "render/NetworkSet.h"
#include "render/PictureEncoder.h"
#include "render/ProfileFiles.h"
#include "render/RenderRequest.h"

#include <QImage>
#include <QString>
#include <QStringList>

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
// The window and the command line save a set through these.
class NetworkSetFiles {
public:
    NetworkSetFiles() = delete;

    // The request at the side S the chosen networks need (NetworkSet::ProcessedSide).
    static RenderRequest AtSide(RenderRequest request, const NetworkSet& set,
                                const QStringList& chosenIds);
    // What a planned file holds, from the renderer's processed picture: its
    // network's picture at the network's size, or the whole picture, each with
    // the text line at its own size. Null before a run.
    static QImage Picture(const Renderer& renderer, const NetworkSet& set, const PlannedFile& file,
                          const TextLine& text);
    // The picture in the file's planned format, within its network's byte
    // limit (the whole picture has none); no bytes and a reason when it can't be.
    static FittedFile Encode(const NetworkSet& set, const PlannedFile& file, const QImage& picture);
};
