#include "notation/compressed_music_xml.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <vector>

namespace {

constexpr const char* kContainerPath = "META-INF/container.xml";
constexpr const char* kScorePath = "score.musicxml";
constexpr std::string_view kMimeType = "application/vnd.recordare.musicxml";

Result<std::string> refused(const std::string& why)
{
    return Result<std::string>::failure("This compressed MusicXML file cannot be imported: " + why +
                                        ".");
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveCloser>;

struct EntryCloser {
    void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};

// One entry unpacked, reading at most `limit` bytes whatever size the archive gives it.
Result<std::string> unpacked(zip_t* archive, const std::string& path, std::size_t limit)
{
    const zip_int64_t index = zip_name_locate(archive, path.c_str(), 0);
    if (index < 0)
        return refused("it holds no " + path);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(index), 0, &stat) == 0 &&
        (stat.valid & ZIP_STAT_SIZE) && stat.size > limit)
        return refused(path + " unpacks to more than " + std::to_string(limit >> 20) + " MB");
    std::unique_ptr<zip_file_t, EntryCloser> entry(
        zip_fopen_index(archive, static_cast<zip_uint64_t>(index), 0));
    if (!entry)
        return refused(path + " cannot be unpacked (" + zip_strerror(archive) + ")");
    std::string bytes;
    std::vector<char> chunk(1 << 16);
    for (;;) {
        const zip_int64_t got = zip_fread(entry.get(), chunk.data(), chunk.size());
        if (got < 0)
            return refused(path + " is damaged (" + zip_file_strerror(entry.get()) + ")");
        if (got == 0)
            return bytes;
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
        if (bytes.size() > limit)
            return refused(path + " unpacks to more than " + std::to_string(limit >> 20) + " MB");
    }
}

// A path inside the archive that stays in it: relative, without ".." or a drive.
bool staysInside(const QString& path)
{
    if (path.isEmpty() || path.startsWith('/') || path.contains('\\') || path.contains(':'))
        return false;
    for (const QString& segment : path.split('/'))
        if (segment == "..")
            return false;
    return true;
}

// The score's path as the container names it: the first rootfile that is MusicXML.
Result<std::string> scorePath(const std::string& container)
{
    QXmlStreamReader xml(QByteArray::fromStdString(container));
    xml.setEntityExpansionLimit(0);
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::DTD && !xml.entityDeclarations().isEmpty())
            return refused("its container declares entities");
        if (token != QXmlStreamReader::StartElement || xml.name() != u"rootfile")
            continue;
        const QStringView type = xml.attributes().value("media-type");
        if (!type.isEmpty() && type != u"application/vnd.recordare.musicxml+xml")
            continue;
        const QString path = xml.attributes().value("full-path").toString();
        if (!staysInside(path))
            return refused("its container names a score outside the archive (" +
                           path.toStdString() + ")");
        return path.toStdString();
    }
    if (xml.hasError())
        return refused("its container is damaged (" + xml.errorString().toStdString() + ")");
    return refused("its container names no score");
}

zip_source_t* bufferSource(zip_t* archive, std::string_view bytes)
{
    return zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
}

} // namespace

Result<std::string> musicXmlInArchive(std::string_view archive, std::size_t limit)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
    Archive opened(source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error)
                          : nullptr);
    if (!opened) {
        const std::string why = zip_error_strerror(&error);
        if (source)
            zip_source_free(source);
        zip_error_fini(&error);
        return refused("it is not a zip archive that can be read (" + why + ")");
    }
    zip_error_fini(&error);
    const auto container = unpacked(opened.get(), kContainerPath, limit);
    if (!container)
        return container;
    const auto path = scorePath(*container);
    if (!path)
        return path;
    return unpacked(opened.get(), *path, limit);
}

Result<std::string> archiveOfMusicXml(std::string_view musicXml)
{
    static constexpr std::string_view container =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<container>\n"
        "  <rootfiles>\n"
        "    <rootfile full-path=\"score.musicxml\" "
        "media-type=\"application/vnd.recordare.musicxml+xml\"/>\n"
        "  </rootfiles>\n"
        "</container>\n";
    const auto failed = [](const std::string& why) {
        return Result<std::string>::failure("The compressed MusicXML file cannot be made: " + why +
                                            ".");
    };
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* memory = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (!memory)
        return failed("no memory");
    zip_source_keep(memory); // kept past zip_close, which writes the archive into it
    zip_t* archive = zip_open_from_source(memory, ZIP_TRUNCATE, nullptr);
    bool made = archive != nullptr;
    if (made) {
        const zip_int64_t mime =
            zip_file_add(archive, "mimetype", bufferSource(archive, kMimeType), ZIP_FL_ENC_UTF_8);
        made = mime >= 0 &&
               zip_set_file_compression(archive, static_cast<zip_uint64_t>(mime), ZIP_CM_STORE,
                                        0) == 0 &&
               zip_file_add(archive, kContainerPath, bufferSource(archive, container),
                            ZIP_FL_ENC_UTF_8) >= 0 &&
               zip_file_add(archive, kScorePath, bufferSource(archive, musicXml),
                            ZIP_FL_ENC_UTF_8) >= 0;
        if (!made || zip_close(archive) != 0) {
            zip_discard(archive);
            made = false;
        }
    }
    std::string bytes;
    if (made && zip_source_open(memory) == 0) {
        zip_source_seek(memory, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(memory);
        zip_source_seek(memory, 0, SEEK_SET);
        bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
        made = size > 0 && zip_source_read(memory, bytes.data(), bytes.size()) == size;
        zip_source_close(memory);
    } else {
        made = false;
    }
    zip_source_free(memory);
    if (!made)
        return failed("the archive could not be written");
    return bytes;
}
