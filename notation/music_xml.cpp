#include "notation/music_xml.h"

#include <QByteArray>
#include <QString>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <utility>

namespace {

constexpr std::array<int, 7> kSemitoneOfStep = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G

// What one <note> element says, as far as a melody needs it.
struct NoteElement {
    bool leftOut = false; // grace, cue or unpitched (percussion) notes
    bool chord = false;
    bool rest = false;
    bool tieStop = false;
    bool endsPhrase = false; // a fermata or a breath mark
    int key = 0;             // written pitch
    QString voice = "1";
};

// The notes of a part as they are read, one voice at sounding pitch. An onset is a note with
// the chord notes that sound with it.
class PartMelody {
public:
    void setTransposition(int semitones) { transposition_ = semitones; }
    void endPhrase()
    {
        if (!notes_.empty())
            notes_.back().endsPhrase = true;
    }
    void add(const NoteElement& note)
    {
        if (note.leftOut)
            return;
        if (!voice_)
            voice_ = note.voice;
        if (note.voice != *voice_)
            return;
        if (note.rest) {
            endPhrase();
            onset_.clear();
            return;
        }
        const int key = note.key + transposition_;
        if (!note.chord || onset_.empty()) {
            // A tie continues the onset before when the note is one of its keys.
            const std::set<int> before = std::exchange(onset_, {});
            tiedOnset_ = note.tieStop && before.count(key) > 0;
            if (!tiedOnset_)
                notes_.push_back({key, false});
        } else if (!tiedOnset_) {
            notes_.back().key = std::max(notes_.back().key, key); // the top note of a chord
        }
        onset_.insert(key);
        if (note.endsPhrase)
            endPhrase();
    }
    std::vector<NotatedNote> take() { return std::move(notes_); }

private:
    int transposition_ = 0;
    std::optional<QString> voice_;
    std::vector<NotatedNote> notes_;
    std::set<int> onset_; // the keys of the onset being read
    bool tiedOnset_ = false;
};

class ScoreReader {
public:
    explicit ScoreReader(std::string_view bytes)
    {
        xml_.addData(QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
        xml_.setEntityExpansionLimit(0);
    }

    Result<NotatedScore> read()
    {
        if (!rootElement())
            return failure();
        const QStringView root = xml_.name();
        if (root == u"score-timewise")
            return refused("it is a timewise score; save it as a partwise one");
        if (root != u"score-partwise")
            return refused("it holds no MusicXML score");
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == u"work")
                readWork();
            else if (name == u"movement-title")
                score_.movementTitle = text();
            else if (name == u"part-list")
                readPartList();
            else if (name == u"part")
                readPart();
            else
                xml_.skipCurrentElement();
        }
        if (xml_.hasError())
            return failure();
        if (score_.parts.empty())
            return refused("it has no part");
        return std::move(score_);
    }

private:
    // Moves to the root element; refuses a document type that declares entities (an
    // expansion bomb or a reference to a file or address outside).
    bool rootElement()
    {
        while (!xml_.atEnd()) {
            const auto token = xml_.readNext();
            if (token == QXmlStreamReader::DTD && !xml_.entityDeclarations().isEmpty()) {
                refusal_ = "its document type declares entities";
                return false;
            }
            if (token == QXmlStreamReader::StartElement)
                return true;
        }
        return false;
    }

    Result<NotatedScore> refused(const std::string& why)
    {
        return Result<NotatedScore>::failure("This MusicXML file cannot be imported: " + why + ".");
    }
    Result<NotatedScore> failure()
    {
        if (!refusal_.empty())
            return refused(refusal_);
        if (!xml_.hasError())
            return refused("it holds no MusicXML score");
        return refused(xml_.errorString().toStdString() + " (line " +
                       std::to_string(xml_.lineNumber()) + ")");
    }

    std::string text()
    {
        return xml_.readElementText(QXmlStreamReader::IncludeChildElements)
            .simplified()
            .toStdString();
    }

    void readWork()
    {
        while (xml_.readNextStartElement())
            if (xml_.name() == u"work-title")
                score_.workTitle = text();
            else
                xml_.skipCurrentElement();
    }

    void readPartList()
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"score-part") {
                xml_.skipCurrentElement();
                continue;
            }
            const QString id = xml_.attributes().value("id").toString();
            while (xml_.readNextStartElement())
                if (xml_.name() == u"part-name")
                    partNames_[id] = text();
                else
                    xml_.skipCurrentElement();
        }
    }

    void readPart()
    {
        const QString id = xml_.attributes().value("id").toString();
        PartMelody melody;
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"measure") {
                xml_.skipCurrentElement();
                continue;
            }
            while (xml_.readNextStartElement()) {
                const QStringView name = xml_.name();
                if (name == u"note")
                    melody.add(readNote());
                else if (name == u"attributes")
                    readAttributes(melody);
                else if (name == u"barline") {
                    if (readBarline())
                        melody.endPhrase();
                } else
                    xml_.skipCurrentElement();
            }
        }
        const auto named = partNames_.find(id);
        score_.parts.push_back(
            {named != partNames_.end() && !named->second.empty() ? named->second : id.toStdString(),
             melody.take()});
    }

    void readAttributes(PartMelody& melody)
    {
        while (xml_.readNextStartElement()) {
            if (xml_.name() != u"transpose") {
                xml_.skipCurrentElement();
                continue;
            }
            int semitones = 0;
            while (xml_.readNextStartElement()) {
                if (xml_.name() == u"chromatic")
                    semitones += number();
                else if (xml_.name() == u"octave-change")
                    semitones += 12 * number();
                else
                    xml_.skipCurrentElement();
            }
            melody.setTransposition(semitones);
        }
    }

    // Whether the bar line is a double or final one, or carries a fermata.
    bool readBarline()
    {
        bool ends = false;
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == u"bar-style") {
                const QString style = xml_.readElementText();
                ends = ends || style == u"light-light" || style == u"light-heavy" ||
                       style == u"heavy-light" || style == u"heavy-heavy";
            } else {
                ends = ends || name == u"fermata";
                xml_.skipCurrentElement();
            }
        }
        return ends;
    }

    NoteElement readNote()
    {
        NoteElement note;
        int step = 0, alter = 0, octave = 4;
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == u"grace" || name == u"cue" || name == u"unpitched") {
                note.leftOut = true;
                xml_.skipCurrentElement();
            } else if (name == u"chord") {
                note.chord = true;
                xml_.skipCurrentElement();
            } else if (name == u"rest") {
                note.rest = true;
                xml_.skipCurrentElement();
            } else if (name == u"pitch") {
                while (xml_.readNextStartElement()) {
                    const QStringView part = xml_.name();
                    if (part == u"step") {
                        const QString letter = xml_.readElementText().trimmed().toUpper();
                        step = letter.size() == 1 && letter[0] >= u'A' && letter[0] <= u'G'
                                   ? kSemitoneOfStep[static_cast<std::size_t>(letter[0].unicode() -
                                                                              u'A')]
                                   : 0;
                    } else if (part == u"alter") {
                        alter = number();
                    } else if (part == u"octave") {
                        octave = std::clamp(number(), -1, 9);
                    } else {
                        xml_.skipCurrentElement();
                    }
                }
            } else if (name == u"tie") {
                markTie(note);
                xml_.skipCurrentElement();
            } else if (name == u"voice") {
                note.voice = xml_.readElementText().trimmed();
            } else if (name == u"notations") {
                readNotations(note);
            } else {
                xml_.skipCurrentElement();
            }
        }
        note.key = (octave + 1) * 12 + step + alter;
        return note;
    }

    void markTie(NoteElement& note)
    {
        const QStringView type = xml_.attributes().value("type");
        note.tieStop = note.tieStop || type == u"stop";
    }

    void readNotations(NoteElement& note)
    {
        while (xml_.readNextStartElement()) {
            const QStringView name = xml_.name();
            if (name == u"tied") {
                markTie(note);
                xml_.skipCurrentElement();
            } else if (name == u"fermata") {
                note.endsPhrase = true;
                xml_.skipCurrentElement();
            } else if (name == u"articulations") {
                while (xml_.readNextStartElement()) {
                    note.endsPhrase = note.endsPhrase || xml_.name() == u"breath-mark" ||
                                      xml_.name() == u"caesura";
                    xml_.skipCurrentElement();
                }
            } else {
                xml_.skipCurrentElement();
            }
        }
    }

    // An element's text as a whole number: decimals (microtones) rounded, garbage as 0,
    // bounded so that no sum of them can overflow.
    int number()
    {
        bool ok = false;
        const double value = xml_.readElementText().trimmed().toDouble(&ok);
        return ok && std::isfinite(value)
                   ? static_cast<int>(std::lround(std::clamp(value, -96.0, 96.0)))
                   : 0;
    }

    QXmlStreamReader xml_;
    NotatedScore score_;
    std::map<QString, std::string> partNames_;
    std::string refusal_;
};

struct Spelling {
    char step;
    int alter;
    int octave;
};

// Black keys as sharps: C# D# F# G# A#.
Spelling spell(int key)
{
    static constexpr std::array<std::pair<char, int>, 12> byKey = {{{'C', 0},
                                                                    {'C', 1},
                                                                    {'D', 0},
                                                                    {'D', 1},
                                                                    {'E', 0},
                                                                    {'F', 0},
                                                                    {'F', 1},
                                                                    {'G', 0},
                                                                    {'G', 1},
                                                                    {'A', 0},
                                                                    {'A', 1},
                                                                    {'B', 0}}};
    const auto [step, alter] = byKey[static_cast<std::size_t>(key % 12)];
    return {step, alter, key / 12 - 1};
}

} // namespace

Result<NotatedScore> readMusicXml(std::string_view bytes)
{
    return ScoreReader(bytes).read();
}

std::string musicXmlOf(const CustomMelody& melody)
{
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument("1.0", false);
    xml.writeDTD(R"(<!DOCTYPE score-partwise PUBLIC "-//Recordare//DTD MusicXML 4.0 Partwise//EN" )"
                 R"("http://www.musicxml.org/dtds/partwise.dtd">)");
    xml.writeStartElement("score-partwise");
    xml.writeAttribute("version", "4.0");
    xml.writeStartElement("work");
    xml.writeTextElement("work-title", QString::fromStdString(melody.name));
    xml.writeEndElement();
    xml.writeStartElement("part-list");
    xml.writeStartElement("score-part");
    xml.writeAttribute("id", "P1");
    xml.writeTextElement("part-name", "Melody");
    xml.writeEndElement();
    xml.writeEndElement();

    const auto below =
        std::count_if(melody.notes.begin(), melody.notes.end(), [](int key) { return key < 60; });
    const bool bass = 2 * below > static_cast<std::ptrdiff_t>(melody.notes.size());
    xml.writeStartElement("part");
    xml.writeAttribute("id", "P1");
    const std::size_t count = melody.notes.size();
    const std::size_t measures = std::max<std::size_t>(1, (count + 3) / 4);
    for (std::size_t m = 0; m < measures; ++m) {
        xml.writeStartElement("measure");
        xml.writeAttribute("number", QString::number(m + 1));
        if (m == 0) {
            xml.writeStartElement("attributes");
            xml.writeTextElement("divisions", "1");
            xml.writeStartElement("key");
            xml.writeTextElement("fifths", "0");
            xml.writeEndElement();
            xml.writeStartElement("time");
            xml.writeTextElement("beats", "4");
            xml.writeTextElement("beat-type", "4");
            xml.writeEndElement();
            xml.writeStartElement("clef");
            xml.writeTextElement("sign", bass ? "F" : "G");
            xml.writeTextElement("line", bass ? "4" : "2");
            xml.writeEndElement();
            xml.writeEndElement();
        }
        const std::size_t first = 4 * m, last = std::min(count, first + 4);
        for (std::size_t i = first; i < last; ++i) {
            const Spelling s = spell(melody.notes[i]);
            xml.writeStartElement("note");
            xml.writeStartElement("pitch");
            xml.writeTextElement("step", QString(QChar(s.step)));
            if (s.alter)
                xml.writeTextElement("alter", QString::number(s.alter));
            xml.writeTextElement("octave", QString::number(s.octave));
            xml.writeEndElement();
            xml.writeTextElement("duration", "1");
            xml.writeTextElement("voice", "1");
            xml.writeTextElement("type", "quarter");
            if (s.alter)
                xml.writeTextElement("accidental", "sharp");
            xml.writeEndElement();
        }
        if (last - first < 4) { // the last measure filled with a rest
            xml.writeStartElement("note");
            xml.writeEmptyElement("rest");
            xml.writeTextElement("duration", QString::number(4 - (last - first)));
            xml.writeTextElement("voice", "1");
            xml.writeEndElement();
        }
        if (m + 1 == measures) {
            xml.writeStartElement("barline");
            xml.writeAttribute("location", "right");
            xml.writeTextElement("bar-style", "light-heavy");
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return out.toStdString();
}
