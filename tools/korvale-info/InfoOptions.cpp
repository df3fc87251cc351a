#include "InfoOptions.h"

#include <QCommandLineParser>
#include <QStringList>

#include <filesystem>

const char* const InfoSynopsis = "usage: korvale-info [--json] [--map-png PATH] [--panel-png PATH] FILE...\n"
                                 "       korvale-info --repair [--json] FILE...\n";

const char* const InfoDetails = "  Prints what the information panel shows for each record file (UTF-8).\n"
                              "  --json            one JSON object per file (JSON Lines) with every field read\n"
                              "  --map-png PATH    writes the map picture as PNG\n"
                              "  --panel-png PATH  writes a picture of the whole information panel as PNG\n"
                              "  With several files, each PATH is a folder that receives NAME.png per record.\n"
                              "  --repair          repairs each record whose first field is 0, keeping FILE.bak\n"
                              "  -h, --help        shows this text\n"
                              "  -v, --version     shows the version\n";

namespace {

// Qt parses text, but a file name is bytes. An argument that does not survive the trip to text and
// back travels as a stand-in (a non-character and its index) and is put back after parsing. For
// "--name=value" only the value stands in, under a second mark, so the option is still recognised.
constexpr char16_t WholeMark = 0xFDD0;
constexpr char16_t ValueMark = 0xFDD1;

QString StandIn(char16_t mark, std::size_t index) { return QChar(mark) + QString::number(index); }

bool SurvivesAsText(const std::string& bytes, const QString& text)
{
    // An argument holding a mark itself stands in too, so it cannot pass for a stand-in.
    return text.toLocal8Bit().toStdString() == bytes && !text.contains(QChar(WholeMark)) && !text.contains(QChar(ValueMark));
}

QString ArgumentText(const std::string& argument, std::size_t index)
{
    const QString text = QString::fromLocal8Bit(QByteArray::fromStdString(argument));
    if (SurvivesAsText(argument, text))
        return text;
    const std::size_t equals = argument.find('=');
    if (argument.starts_with("--") && equals != std::string::npos) {
        const std::string name = argument.substr(0, equals + 1);
        const QString nameText = QString::fromLocal8Bit(QByteArray::fromStdString(name));
        if (SurvivesAsText(name, nameText))
            return nameText + StandIn(ValueMark, index);
    }
    return StandIn(WholeMark, index);
}

std::string OriginalArgument(const QString& text, const std::vector<std::string>& arguments)
{
    const qsizetype whole = text.indexOf(QChar(WholeMark));
    const qsizetype value = text.indexOf(QChar(ValueMark));
    const qsizetype at = whole >= 0 ? whole : value;
    if (at < 0)
        return text.toLocal8Bit().toStdString();
    const std::size_t index = text.mid(at + 1).toULongLong();
    const std::string& argument = index < arguments.size() ? arguments[index] : std::string();
    // A value's stand-in at the start is the option's value; anywhere else (after --) it is the file.
    return whole < 0 && value == 0 ? argument.substr(argument.find('=') + 1) : argument;
}

InfoCommandLine UsageError(const QString& error)
{
    InfoCommandLine command;
    command.error = error.toStdString();
    return command;
}

} // namespace

InfoCommandLine ParseInfoOptions(const std::vector<std::string>& arguments)
{
    QStringList texts{QStringLiteral("korvale-info")};
    for (std::size_t i = 0; i < arguments.size(); ++i)
        texts << ArgumentText(arguments[i], i);

    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption repair(QStringLiteral("repair"));
    const QCommandLineOption mapPng(QStringLiteral("map-png"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption panelPng(QStringLiteral("panel-png"), QString(), QStringLiteral("PATH"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOptions({json, repair, mapPng, panelPng, help, version});
    if (!parser.parse(texts))
        return UsageError(parser.errorText());

    InfoCommandLine command;
    if (parser.isSet(help) || parser.isSet(version)) {
        command.request = parser.isSet(help) ? InfoRequest::Help : InfoRequest::Version;
        return command;
    }
    InfoOptions& options = command.options;
    options.json = parser.isSet(json);
    options.repair = parser.isSet(repair);
    options.mapPng = OriginalArgument(parser.value(mapPng), arguments);
    options.panelPng = OriginalArgument(parser.value(panelPng), arguments);
    for (const QString& file : parser.positionalArguments())
        options.files.push_back(OriginalArgument(file, arguments));

    if ((parser.isSet(mapPng) && options.mapPng.empty()) || (parser.isSet(panelPng) && options.panelPng.empty()))
        return UsageError(QStringLiteral("a picture option needs a path"));
    if (options.repair && (parser.isSet(mapPng) || parser.isSet(panelPng)))
        return UsageError(QStringLiteral("--repair draws no pictures"));
    if (options.files.empty())
        return UsageError(QStringLiteral("no record file named"));
    command.request = InfoRequest::Run;
    return command;
}

std::string PicturePath(const std::string& target, const std::string& record, bool severalRecords)
{
    if (!severalRecords)
        return target;
    const std::filesystem::path name = std::filesystem::path(record).stem().concat(".png");
    return (std::filesystem::path(target) / name).string();
}
