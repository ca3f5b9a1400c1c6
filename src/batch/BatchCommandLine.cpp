#include "batch/BatchCommandLine.h"

#include "render/MoreLooks.h"
#include "render/PictureEncoder.h"
#include "render/ProfileFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLocale>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr float kMinTextSize = 1.0f;
constexpr float kMaxTextSize = 72.0f;
constexpr int kMaxJobs = 256;
// Pictures beyond the cores keep them busy while other pictures wait for their
// files to reach the disk.
constexpr int kJobsBeyondCores = 2;
// A thinner rectangle would give some network's picture less than a pixel across
// (twitter's 73 pixels, whatever the decoder's scale).
constexpr qint64 kMaxSelectionAspect = 50;

QString S(const char* text) {
    return QString::fromUtf8(text);
}

const char kDescription[] =
    "Makes the profile pictures of the Trellica window for many photos at once: the largest\n"
    "picture of each network (STEM_facebook, _twitter, _linkedin, _google, _skype) and the\n"
    "whole processed picture (STEM), and with --card its presentation card (STEM_card), in\n"
    "the output folder, on every core.\n"
    "PICTURE is a photo, a folder (its pictures, not its subfolders) or - (paths from\n"
    "standard input, one per line; blank lines are skipped). In a folder, the files this\n"
    "run would write for a picture beside them (me_facebook.tif or me.tif beside me.jpg,\n"
    "for the same networks and format) are earlier results, not photos.\n"
    "A picture's files are all written or none is; an existing file is never replaced\n"
    "without --force, so runs into one folder at once never mix their pictures.";

const char kExamples[] =
    "\nExamples:\n"
    "  trellica-batch -o out team/\n"
    "  trellica-batch -o out --looks sepia,frame --text \"Jane Doe\" --text-size 12 jane.jpg\n"
    "  trellica-batch -o out --select 1200,300,1800,1800 --networks twitter,google --no-whole "
    "me.jpg\n"
    "  find photos -name '*.jpg' | trellica-batch -o out --format png -q -\n"
    "\nExit status: 0 all pictures written (or skipped), 1 some picture failed, 2 usage error.\n";

struct OptionRow {
    QStringList names;
    const char* description;
    const char* valueName; // nullptr: a switch
};

const std::vector<OptionRow>& OptionRows() {
    static const std::vector<OptionRow> rows{
        {{S("o"), S("out")}, "Where the files go (created if missing); required.", "DIR"},
        {{S("select")},
         "center (default): the largest centred square; face: around the largest face; or "
         "X,Y,W,H: a rectangle in the photo's pixels, origin top-left: whole numbers, X and Y "
         "from -2147483648 to 2147483647, W and H from 1 to 2147483647, neither more than 50 "
         "times the other. A rectangle that does not overlap a photo misses it (that photo "
         "fails); any other is made, however far it reaches beyond the photo.",
         "center|face|X,Y,W,H"},
        {{S("rotate")},
         "Turn each photo clockwise by 90, 180 or 270 degrees first (exactly, pixel for "
         "pixel); --select is then in the turned photo's pixels.",
         "90|180|270"},
        {{S("flip")}, "Mirror each photo left to right, after --rotate.", nullptr},
        {{S("straighten")},
         "Straighten each photo by DEG degrees clockwise (-45 to 45) after --rotate and "
         "--flip, cut to its largest rectangle without empty corners.",
         "DEG"},
        {{S("looks")},
         "Comma-separated looks: soften, sharpen, bw, frame, instant, photomat, filmstrip, "
         "blurfocus, toycam, popart, sepia, posterize, colorize, and the more looks warmer, "
         "colder, brighter, darker, grain, yellowed, oldphoto, popart1, photomat1, blur, "
         "gaussblur, neon, glass, relief (applied in the window's fixed order).",
         "LIST"},
        {{S("colorize-color")}, "The colour of colorize (default red).", "COLOR"},
        {{S("text")}, "The text line drawn on every picture.", "TEXT"},
        {{S("text-size")}, "Text size, 1 to 72 (default 8).", "PT"},
        {{S("text-color")}, "Text colour (default black).", "COLOR"},
        {{S("text-background")},
         "Colour of the box behind the text, or none (default white).",
         "COLOR|none"},
        {{S("text-position")},
         "Lower-left corner of the text as fractions 0..1 from the lower-left (default 0,0).",
         "X,Y"},
        {{S("set")},
         "The networks: 2012 (default), the five of 2012 at their sizes then (facebook, "
         "twitter, linkedin, google, skype); or today, today's networks at their upload sizes, "
         "each file within its network's byte limit (see --list-networks).",
         "2012|today"},
        {{S("networks")},
         "Comma-separated ids of the chosen set's networks (default all of them).",
         "LIST"},
        {{S("list-networks")},
         "Print the chosen set's networks (id, name, size, shape, limit) and exit.",
         nullptr},
        {{S("no-whole")}, "Don't write the whole processed picture.", nullptr},
        {{S("card")},
         "Also write the presentation card STEM_card: the whole picture on a canvas with any "
         "of shadow (a drop shadow), strip (a photo strip of four copies), frame (a white "
         "frame) and reflection; none (the default) writes no card.",
         "LIST|none"},
        {{S("card-background")}, "The card's background colour (default white).", "COLOR"},
        {{S("format")},
         "File format: tif (the default with --set 2012), jpg (the default with --set today), "
         "png or webp.",
         "tif|png|jpg|webp"},
        {{S("j"), S("jobs")},
         "Pictures made at once (default: the number of cores plus two).",
         "N"},
        {{S("force")},
         "Replace existing files (default: refuse the picture, and say which). A photo of "
         "the run is never replaced.",
         nullptr},
        {{S("skip-existing")},
         "Write only the files that are missing, never replacing one: finishes a run that "
         "was stopped.",
         nullptr},
        {{S("q"), S("quiet")}, "No progress and no summary; errors only.", nullptr},
    };
    return rows;
}

void Describe(QCommandLineParser& parser) {
    parser.setApplicationDescription(S(kDescription));
    parser.addHelpOption();
    parser.addVersionOption();
    for (const OptionRow& row : OptionRows()) {
        parser.addOption(row.valueName
                             ? QCommandLineOption(row.names, S(row.description), S(row.valueName))
                             : QCommandLineOption(row.names, S(row.description)));
    }
    parser.addPositionalArgument(S("PICTURE"), S("Photos, folders or -."), S("PICTURE..."));
}

// Each check returns an empty string when the value is good.
using ValueCheck = std::function<QString(const QString& value, BatchOptions& options)>;

QStringList Items(const QString& list) {
    QStringList items = list.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QString& item : items) {
        item = item.trimmed().toLower();
    }
    return items;
}

bool ToColour(const QString& value, QColor* colour) {
    *colour = QColor::fromString(value.trimmed());
    return colour->isValid();
}

// "A,B,..." as count numbers; false when any is not one.
template <class T> bool Numbers(const QString& value, int count, T* out) {
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != count) {
        return false;
    }
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        if constexpr (std::is_same_v<T, int>) {
            out[i] = parts[i].trimmed().toInt(&ok);
        } else {
            out[i] = parts[i].trimmed().toFloat(&ok);
        }
        if (!ok) {
            return false;
        }
    }
    return true;
}

QString CheckSelect(const QString& value, BatchOptions& options) {
    const QString v = value.trimmed().toLower();
    if (v == QLatin1String("center") || v == QLatin1String("centre")) {
        options.selection = SelectionChoice::CenteredSquare;
        return QString();
    }
    if (v == QLatin1String("face")) {
        options.selection = SelectionChoice::Face;
        return QString();
    }
    int r[4];
    if (!Numbers(v, 4, r) || r[2] <= 0 || r[3] <= 0 ||
        std::max(r[2], r[3]) > kMaxSelectionAspect * std::min(r[2], r[3])) {
        return S("bad rectangle '%1': give X,Y,W,H in pixels, W and H above 0, neither more "
                 "than 50 times the other")
            .arg(value);
    }
    options.selection = SelectionChoice::Rectangle;
    options.rectangle = PhotoRectangle{r[0], r[1], r[2], r[3]};
    return QString();
}

QString CheckColour(const QString& value, QColor* colour) {
    return ToColour(value, colour) ? QString() : S("bad colour '%1'").arg(value);
}

QString CheckRotate(const QString& value, BatchOptions& options) {
    const int degrees = value.trimmed().toInt();
    if (degrees != 90 && degrees != 180 && degrees != 270) {
        return S("bad rotation '%1': give 90, 180 or 270").arg(value);
    }
    options.orientation.quarterTurns = degrees / 90;
    return QString();
}

QString CheckStraighten(const QString& value, BatchOptions& options) {
    bool ok = false;
    const float degrees = value.trimmed().toFloat(&ok);
    if (!ok || !(std::abs(degrees) <= PictureTurns::kMaxStraighten)) {
        return S("bad straightening '%1': give -45 to 45 degrees").arg(value);
    }
    options.orientation.straighten = degrees;
    return QString();
}

QString CheckLooks(const QString& value, BatchOptions& options) {
    for (const QString& key : Items(value)) {
        const QByteArray name = key.toUtf8();
        const int row = ProfileTargets::LookIndex(name.constData());
        const int more = MoreLooks::Index(name.constData());
        if (row < 0 && more < 0) {
            return S("unknown look '%1'").arg(key);
        }
        if (row >= 0) {
            options.looks.set(size_t(row));
        } else {
            options.moreLooks.set(size_t(more));
        }
    }
    return QString();
}

QString CheckCard(const QString& value, BatchOptions& options) {
    const QStringList keys = Items(value);
    if (keys == QStringList{S("none")}) {
        options.card.reset();
        return QString();
    }
    CardStyle card;
    for (const QString& key : keys) {
        const auto& switches = CardStyle::Switches();
        const auto found = std::find_if(switches.begin(), switches.end(), [&](const CardSwitch& s) {
            return key == QLatin1String(s.key);
        });
        if (found == switches.end()) {
            return S("unknown card setting '%1': give shadow, strip, frame, reflection or none")
                .arg(key);
        }
        card.*(found->on) = true;
    }
    options.card = card;
    return QString();
}

QString CheckCardBackground(const QString& value, BatchOptions& options) {
    if (!options.card) {
        return S("--card-background without a card: give --card too");
    }
    return CheckColour(value, &options.card->background);
}

QString CheckSet(const QString& value, BatchOptions& options) {
    const QString key = value.trimmed().toLower();
    if (!NetworkSets::Keys().contains(key)) {
        return S("unknown network set '%1': give %2").arg(value, NetworkSets::Keys().join(" or "));
    }
    const LoadedNetworkSet loaded = NetworkSets::Load(key);
    options.set = loaded.set;
    options.networks = loaded.set.Ids();
    options.setNotice = loaded.message;
    return QString();
}

QString CheckNetworks(const QString& value, BatchOptions& options) {
    const QStringList wanted = Items(value);
    for (const QString& id : wanted) {
        if (options.set.Find(id) == nullptr) {
            return S("unknown network '%1' in the set %2: give %3")
                .arg(id, options.set.key, options.set.Ids().join(QLatin1String(", ")));
        }
    }
    // In the set's order, the order their files are written.
    options.networks.clear();
    for (const QString& id : options.set.Ids()) {
        if (wanted.contains(id)) {
            options.networks << id;
        }
    }
    return QString();
}

QString CheckBackground(const QString& value, BatchOptions& options) {
    options.text.useBackground = value.trimmed().toLower() != QLatin1String("none");
    return options.text.useBackground ? CheckColour(value, &options.text.background) : QString();
}

QString CheckTextSize(const QString& value, BatchOptions& options) {
    bool ok = false;
    const float size = value.trimmed().toFloat(&ok);
    if (!ok || !(size >= kMinTextSize && size <= kMaxTextSize)) {
        return S("bad text size '%1': give 1 to 72").arg(value);
    }
    options.text.size = size;
    return QString();
}

QString CheckPosition(const QString& value, BatchOptions& options) {
    float p[2];
    if (!Numbers(value, 2, p) || !(p[0] >= 0.0f && p[0] <= 1.0f && p[1] >= 0.0f && p[1] <= 1.0f)) {
        return S("bad text position '%1': give X,Y as fractions 0..1").arg(value);
    }
    options.text.left = p[0];
    options.text.top = p[1];
    return QString();
}

QString CheckFormat(const QString& value, BatchOptions& options) {
    const QString format = value.trimmed().toLower();
    options.format = format == QLatin1String("tiff") ? S("tif") : format;
    return ProfileFiles::WritableFormats().contains(options.format)
               ? QString()
               : S("unknown format '%1': give tif, png, jpg or webp").arg(value);
}

QString CheckJobs(const QString& value, BatchOptions& options) {
    bool ok = false;
    options.jobs = value.trimmed().toInt(&ok);
    return ok && options.jobs >= 1 && options.jobs <= kMaxJobs
               ? QString()
               : S("bad number of jobs '%1': give 1 to %2").arg(value).arg(kMaxJobs);
}

// The valued options in the order they are checked.
const std::vector<std::pair<const char*, ValueCheck>>& Checks() {
    static const std::vector<std::pair<const char*, ValueCheck>> checks{
        {"set", CheckSet},
        {"select", CheckSelect},
        {"rotate", CheckRotate},
        {"straighten", CheckStraighten},
        {"looks", CheckLooks},
        {"colorize-color",
         [](const QString& v, BatchOptions& o) { return CheckColour(v, &o.colorize); }},
        {"text", [](const QString& v, BatchOptions& o) { return (o.text.text = v, QString()); }},
        {"text-size", CheckTextSize},
        {"text-color",
         [](const QString& v, BatchOptions& o) { return CheckColour(v, &o.text.colour); }},
        {"text-background", CheckBackground},
        {"text-position", CheckPosition},
        {"networks", CheckNetworks},
        {"card", CheckCard},
        {"card-background", CheckCardBackground},
        {"format", CheckFormat},
        {"jobs", CheckJobs},
    };
    return checks;
}

QString CheckAll(const QCommandLineParser& parser, BatchOptions& options) {
    for (const auto& [name, check] : Checks()) {
        if (parser.isSet(S(name))) {
            const QString error = check(parser.value(S(name)), options);
            if (!error.isEmpty()) {
                return error;
            }
        }
    }
    options.outFolder = parser.value(S("out"));
    options.pictures = parser.positionalArguments();
    if (!parser.isSet(S("format")) && options.set.key == QLatin1String(NetworkSets::kTodayKey)) {
        options.format = QLatin1String(PictureEncoder::kFitFormat); // every network takes it
    }
    options.whole = !parser.isSet(S("no-whole"));
    options.orientation.mirrored = parser.isSet(S("flip"));
    options.force = parser.isSet(S("force"));
    options.skipExisting = parser.isSet(S("skip-existing"));
    if (options.force && options.skipExisting) {
        return S("--force and --skip-existing exclude each other");
    }
    options.quiet = parser.isSet(S("quiet"));
    if (options.networks.isEmpty() && !options.whole && !options.card) {
        return S("nothing to write: no network and --no-whole");
    }
    if (options.outFolder.isEmpty()) {
        return S("no output folder: give -o DIR");
    }
    return options.pictures.isEmpty() ? S("no picture given") : QString();
}

} // namespace

int BatchCommandLine::DefaultJobs() {
    return std::clamp(QThread::idealThreadCount() + kJobsBeyondCores, 1, kMaxJobs);
}

BatchCommandLine::Parsed BatchCommandLine::Parse(const QStringList& arguments) {
    QCommandLineParser parser;
    Describe(parser);
    Parsed parsed;
    parsed.options.jobs = DefaultJobs();
    if (!parser.parse(arguments)) {
        parsed.action = Action::UsageError;
        parsed.error = parser.errorText();
        return parsed;
    }
    if (parser.isSet(S("help"))) {
        parsed.action = Action::ShowHelp;
        return parsed;
    }
    if (parser.isSet(S("version"))) {
        parsed.action = Action::ShowVersion;
        return parsed;
    }
    parsed.error = CheckAll(parser, parsed.options);
    if (parser.isSet(S("list-networks")) &&
        (parsed.error.isEmpty() || parsed.error.startsWith(S("no ")))) {
        parsed.action = Action::ListNetworks; // needs no output folder and no picture
        parsed.error.clear();
    } else if (!parsed.error.isEmpty()) {
        parsed.action = Action::UsageError;
    }
    return parsed;
}

QString BatchCommandLine::HelpText() {
    QCommandLineParser parser;
    Describe(parser);
    return parser.helpText() + S(kExamples);
}

QString BatchCommandLine::NetworkTable(const NetworkSet& set) {
    QString table = S("%1  %2  %3  %4  %5\n")
                        .arg(S("id"), -10)
                        .arg(S("name"), -16)
                        .arg(S("size"), 5)
                        .arg(S("shape"), -8)
                        .arg(S("limit"));
    for (const Network& n : set.networks) {
        const QString limit =
            n.maxBytes > 0 ? QLocale(QLocale::English).toString(n.maxBytes) + S(" bytes") : S("-");
        table += S("%1  %2  %3  %4  %5\n")
                     .arg(n.id, -10)
                     .arg(n.name, -16)
                     .arg(n.size, 5)
                     .arg(Network::ShapeName(n.shape), -8)
                     .arg(limit);
    }
    return table;
}

QString BatchCommandLine::UsageHint() {
    return S("Usage: %1 [options] -o DIR PICTURE...\nTry '%1 --help' for more.\n")
        .arg(QCoreApplication::applicationName());
}
