#include "core_measures.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <span>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include <pugixml.hpp>

#include "activity_measure.h"
#include "allocation_counter.h"
#include "core/document/document_loader.h"
#include "core/document/document_writer.h"
#include "core/document/file_io.h"
#include "core/document/simple_xml_parser.h"
#include "core/editing/document_operations.h"
#include "core/transfer/person_text_reader.h"
#include "core/transfer/text_export.h"
#include "core/transfer/text_transfer_settings.h"
#include "document_generator.h"
#include "find_measure.h"
#include "merge_measure.h"
#include "vcard_measure.h"

namespace vimbo::bench {
namespace {

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

// The reference of every write: one fwrite of the finished bytes.
bool RawWrite(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

Work RawWriteWork(const std::string& path, const std::string& bytes) {
  return [&path, &bytes](int repeats) {
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) ok = RawWrite(path, bytes) && ok;
    });
    Check(ok, "the reference write failed");
    return seconds;
  };
}

// Comma-separated, double-quoted, every field: the wizard's defaults with
// everything chosen.
void FillTransferSettings(TextTransferSettings& settings, const std::string& fileName) {
  settings.Fields = settings.AvailableFields;
  // Assigned as characters: g++ 12 at -O3 warns falsely (-Wrestrict) on
  // the assignment of a one-character literal.
  settings.Separator.assign(1, ',');
  settings.Encloser.assign(1, '"');
  settings.FileName = fileName;
}

Work LoadWork(const std::string& path) {
  return [&path](int repeats) {
    std::vector<DocumentData> documents(static_cast<std::size_t>(repeats));
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (DocumentData& data : documents) ok = Load(data, path).Ok() && ok;
    });
    Check(ok, "the document did not load");
    return seconds;
  };
}

Work SaveWork(DocumentData& data, const std::string& path) {
  return [&data, &path](int repeats) {
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) ok = Write(data, path).IsDone() && ok;
    });
    Check(ok, "the save failed");
    return seconds;
  };
}

struct ContactsExport {
  TextTransferSettings settings = ContactsExportSettings();
  std::string text;  // what the export writes
  int lines = 0;
};

ContactsExport PrepareExport(const DocumentData& data, const std::string& fileName) {
  ContactsExport prepared;
  FillTransferSettings(prepared.settings, fileName);
  prepared.text = ContactsExportText(data, prepared.settings);
  prepared.lines = static_cast<int>(data.contacts.Size());
  return prepared;
}

Work ExportWork(const DocumentData& data, const ContactsExport& prepared) {
  return [&data, &prepared](int repeats) {
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) ok = ExportContacts(data, prepared.settings).count == prepared.lines && ok;
    });
    Check(ok, "the export did not write every contact");
    return seconds;
  };
}

// The import file: the document's persons as the persons export writes them,
// the data lines repeated until there is about one imported person per record
// of the document.
struct PersonsImport {
  TextTransferSettings settings = PersonsImportSettings();
  std::string text;
  int persons = 0;  // the persons the import adds
};

PersonsImport PrepareImport(const DocumentData& data, const std::string& fileName, std::size_t records) {
  PersonsImport prepared;
  TextTransferSettings exportSettings = PersonsExportSettings();
  FillTransferSettings(exportSettings, fileName);
  const std::string exported = PersonsExportText(data, exportSettings);
  const int lines = static_cast<int>(data.persons.Size());
  Check(lines > 0, "the import needs a document with persons");
  const std::size_t bodyStart = exported.find('\n') + 1;
  const std::size_t copies =
      std::max<std::size_t>(1, (records + static_cast<std::size_t>(lines) / 2) / static_cast<std::size_t>(lines));
  prepared.text.reserve(bodyStart + copies * (exported.size() - bodyStart));
  prepared.text.append(exported, 0, bodyStart);
  for (std::size_t i = 0; i < copies; ++i) prepared.text.append(exported, bodyStart);
  prepared.persons = static_cast<int>(copies) * lines;
  Check(RawWrite(fileName, prepared.text), "cannot write the import file");

  FillTransferSettings(prepared.settings, fileName);
  prepared.settings.ColumnCount = static_cast<int>(prepared.settings.Fields.size());
  prepared.settings.FirstLineHasNames = true;
  return prepared;
}

// Reading the file's lines into persons, which is what the lines/s goal
// measures.
Work ReadImportWork(const PersonsImport& prepared) {
  return [&prepared](int repeats) {
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i)
        ok = ReadPersonsFromText(prepared.settings).size() == static_cast<std::size_t>(prepared.persons) && ok;
    });
    Check(ok, "the import did not read every person");
    return seconds;
  };
}

// Runs `work` once at a time, each run from a heap that has given its free
// memory back, as the first load or import of a program does. Otherwise a
// small run would reuse the pages of the run before while a large one (its
// records past the heap's mapping threshold) gets fresh pages every time,
// and the cost per record would seem to grow with the size.
Work FromFreshHeap(Work work) {
  return [work = std::move(work)](int repeats) {
    double seconds = 0;
    for (int i = 0; i < repeats; ++i) {
      malloc_trim(0);
      seconds += work(1);
    }
    return seconds;
  };
}

// The whole command: reading, then adding the persons as one undoable step.
Work ImportWork(const PersonsImport& prepared) {
  return [&prepared](int repeats) {
    std::vector<DocumentData> documents(static_cast<std::size_t>(repeats));
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (DocumentData& data : documents)
        ok = ImportPersons(data, ReadPersonsFromText(prepared.settings)).count == prepared.persons && ok;
    });
    Check(ok, "the import did not add every person");
    return seconds;
  };
}

// The reference of an import: reading the same file and counting its lines.
std::size_t CountLines(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return 0;
  std::string buffer(std::size_t{1} << 20, '\0');
  std::size_t lines = 0;
  while (const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), file)) {
    const char* p = buffer.data();
    const char* end = p + read;
    while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
      ++lines;
      ++p;
    }
  }
  std::fclose(file);
  return lines;
}

double PerRecordNanoseconds(double seconds, std::size_t records) {
  return seconds * 1e9 / static_cast<double>(records);
}

// The reference of parse and load: pugixml building its DOM from the same
// bytes in memory (it copies them first, as our parser does).
Work PugixmlWork(const std::string& text) {
  return [&text](int repeats) {
    std::vector<std::unique_ptr<pugi::xml_document>> documents;
    documents.reserve(static_cast<std::size_t>(repeats));
    for (int i = 0; i < repeats; ++i) documents.push_back(std::make_unique<pugi::xml_document>());
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (auto& document : documents) ok = static_cast<bool>(document->load_buffer(text.data(), text.size())) && ok;
    });
    Check(ok, "pugixml rejected the document");
    return seconds;
  };
}

// Our parse as the loader runs it: the parser reporting elements and texts
// to a handler that only looks at them, with no tree built.
Work ParseWork(const std::string& text) {
  class Reader final : public XMLHandler {
   public:
    void StartElement(std::string_view name, std::span<const XMLAttribute> attributes) override {
      seen_ += name.size() + attributes.size();
    }
    void EndElement(std::string_view text) override { seen_ += text.size(); }
    std::size_t Seen() const { return seen_; }

   private:
    std::size_t seen_ = 0;
  };
  return [&text](int repeats) {
    Reader reader;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) SimpleXMLParser().Parse(std::string_view(text), reader);
    });
    Check(reader.Seen() > 0, "the parser read nothing");
    return seconds;
  };
}

void PrintPair(const std::string& measure, const PairResult& result, double goal) {
  char goalText[32];
  std::snprintf(goalText, sizeof goalText, "<= %.1f", goal);
  PrintRow(measure, Milliseconds(result.ours), Milliseconds(result.reference), Ratio(result.ratio), goalText,
           result.ratio <= goal);
}

// What a load asks of the heap (every operator new counted) and what it
// adds to the resident memory, beside the file's size.
void LoadMemoryMeasure(const BenchDocument& document) {
  const double fileSize = static_cast<double>(document.text.size());
  std::ptrdiff_t heapPeak = 0;
  uint64_t allocations = 0;
  {
    DocumentData data;
    const HeapCounter counter;
    Check(Load(data, document.path).Ok(), "the document did not load");
    heapPeak = counter.PeakBytes();
    allocations = counter.Allocations();
  }
  const double ratio = static_cast<double>(heapPeak) / fileSize;
  PrintRow("peak heap of a load / file size", Megabytes(static_cast<double>(heapPeak)), Megabytes(fileSize),
           Ratio(ratio), "<= 2.0", ratio <= 2.0);
  const double records = static_cast<double>(document.persons) + document.contacts;
  char text[96];
  std::snprintf(text, sizeof text, "%s (%.1f per record)", Count(static_cast<double>(allocations)).c_str(),
                records > 0 ? static_cast<double>(allocations) / records : 0.0);
  PrintNote("allocations of a load", text);

  // Memory the heap counter cannot see (a mapped file, malloc called
  // directly) shows in the resident peak. The free heap goes back to the
  // system first, so the load cannot hide in memory the process already had.
  DocumentData data;
  ::malloc_trim(0);
  if (!ResetPeakResident()) return;
  const std::size_t before = ResidentBytes();
  Check(Load(data, document.path).Ok(), "the document did not load");
  const std::size_t growth = PeakResidentBytes() - before;
  std::snprintf(text, sizeof text, "%s, %.2f x file size", Megabytes(static_cast<double>(growth)).c_str(),
                static_cast<double>(growth) / fileSize);
  PrintNote("peak resident growth of a load", text);
}

}  // namespace

int32_t MakeHeapedDocument(const std::string& path, int32_t persons, int32_t contacts, int32_t perPerson) {
  DocumentData data;
  GenerateDocument(data, persons, contacts);
  const int32_t heaped = std::max<int32_t>(2, contacts / std::max<int32_t>(1, perPerson));
  Check(persons >= heaped, "too few persons for the contacts to heap on");
  std::vector<Contact> moved;
  std::vector<int32_t> ids;
  moved.reserve(data.contacts.Size());
  ids.reserve(data.contacts.Size());
  for (const auto& [id, contact] : data.contacts) {
    moved.push_back(contact);
    moved.back().PersonID = 1 + static_cast<int32_t>(ids.size()) % heaped;
    ids.push_back(id);
  }
  data.contacts.EraseMany(std::move(ids));
  for (Contact& contact : moved) data.contacts.Insert(std::move(contact));
  Check(WriteFileAtomically(path, DocumentText(data)), "cannot write the benchmark document");
  return heaped;
}

BenchDocument MakeDocument(const std::string& path, int32_t persons, int32_t contacts) {
  BenchDocument document;
  document.path = path;
  document.persons = persons;
  document.contacts = contacts;
  document.text = GenerateDocumentText(persons, contacts);
  Check(WriteFileAtomically(path, document.text), "cannot write the benchmark document");
  return document;
}

void RunCoreMeasures(const BenchDocument& document, const std::string& folder, const RoundOptions& options) {
  PrintTableHeader();
  PrintPair("parse / pugixml DOM parse of the same bytes",
            Interleave(ParseWork(document.text), PugixmlWork(document.text), options), 1.0);
  PrintPair("full load (read, parse, records) / pugixml parse",
            Interleave(LoadWork(document.path), PugixmlWork(document.text), options), 1.5);

  DocumentData data;
  Check(Load(data, document.path).Ok(), "the document did not load");
  const std::string savePath = folder + "/saved.tch";
  const std::string rawPath = folder + "/raw.out";
  const std::string saveText = DocumentText(data);
  PrintPair("save / one fwrite of the same bytes",
            Interleave(SaveWork(data, savePath), RawWriteWork(rawPath, saveText), options), 1.5);

  LoadMemoryMeasure(document);
  RunActivityMeasure(data, options);

  const ContactsExport contactsExport = PrepareExport(data, folder + "/contacts.txt");
  PrintPair("export contacts, text / fwrite of the same bytes",
            Interleave(ExportWork(data, contactsExport), RawWriteWork(rawPath, contactsExport.text), options), 3.0);

  RunFindMeasure(data, options);
  RunMergeMeasure(data, document.path, folder, options);

  const std::size_t records = static_cast<std::size_t>(document.persons) + static_cast<std::size_t>(document.contacts);
  if (document.persons == 0) {
    PrintNote("import", "skipped: the document has no persons to import");
    return;
  }
  const std::string importPath = folder + "/import.txt";
  const PersonsImport personsImport = PrepareImport(data, importPath, records);
  const std::size_t physicalLines = CountLines(importPath);
  const Work countLines = [&](int repeats) {
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) ok = CountLines(importPath) == physicalLines && ok;
    });
    Check(ok, "the line count changed");
    return seconds;
  };
  const PairResult import = Interleave(FromFreshHeap(ReadImportWork(personsImport)), countLines, options);
  const double persons = personsImport.persons;
  // Lines as the file has them: an address enclosed over two lines counts twice.
  const double linesPerSecond = import.ours > 0 ? static_cast<double>(physicalLines) / import.ours : 0;
  char value[32];
  std::snprintf(value, sizeof value, "%.2fM/s", linesPerSecond / 1e6);
  PrintRow("import persons, lines/s (reference: memchr count)", Milliseconds(import.ours),
           Milliseconds(import.reference), value, ">= 2M/s", linesPerSecond >= 2e6);
  const double whole = Repeat(ImportWork(personsImport), options);
  char command[96];
  std::snprintf(command, sizeof command, "%.2fM lines/s with the persons added as one undoable step",
                whole > 0 ? static_cast<double>(physicalLines) / whole / 1e6 : 0.0);
  PrintNote("import command", command);
  char note[128];
  std::snprintf(note, sizeof note, "%s persons on %s lines, %s; the count reads %.0fM lines/s", Count(persons).c_str(),
                Count(static_cast<double>(physicalLines)).c_str(),
                Megabytes(static_cast<double>(personsImport.text.size())).c_str(),
                import.reference > 0 ? static_cast<double>(physicalLines) / import.reference / 1e6 : 0.0);
  PrintNote("import file", note);

  RunVCardMeasures(data, folder, options);
}

void RunGrowth(const std::string& folder, int32_t maxContacts, const RoundOptions& options) {
  std::printf(
      "\ngrowth: CPU ns per record (persons + contacts, 1:10), in brackets the ratio to the size before [goal < "
      "1.5]\n");
  std::printf("%-22s %16s %16s %16s %16s\n", "persons/contacts", "load", "save", "export", "import");
  std::fflush(stdout);
  const std::string path = folder + "/growth.tch";
  const std::string savePath = folder + "/growth-saved.tch";
  double previous[4] = {0, 0, 0, 0};
  bool allMet = true;
  for (int32_t contacts = 1000; contacts <= maxContacts; contacts *= 10) {
    const int32_t persons = contacts / 10;
    const std::size_t records = static_cast<std::size_t>(persons) + static_cast<std::size_t>(contacts);
    BenchDocument document = MakeDocument(path, persons, contacts);
    document.text = std::string();  // not needed here, and large at the top size
    DocumentData data;
    Check(Load(data, path).Ok(), "the document did not load");
    const ContactsExport contactsExport = PrepareExport(data, folder + "/growth-contacts.txt");
    const PersonsImport personsImport = PrepareImport(data, folder + "/growth-import.txt", records);

    const double perRecord[4] = {
        PerRecordNanoseconds(Repeat(FromFreshHeap(LoadWork(path)), options), records),
        PerRecordNanoseconds(Repeat(SaveWork(data, savePath), options), records),
        PerRecordNanoseconds(Repeat(ExportWork(data, contactsExport), options), records),
        PerRecordNanoseconds(Repeat(FromFreshHeap(ReadImportWork(personsImport)), options),
                             static_cast<std::size_t>(personsImport.persons)),
    };
    char label[32];
    std::snprintf(label, sizeof label, "%s/%s", Count(persons).c_str(), Count(contacts).c_str());
    std::printf("%-22s", label);
    for (int i = 0; i < 4; ++i) {
      char cell[32];
      if (previous[i] > 0) {
        const double growth = perRecord[i] / previous[i];
        allMet = allMet && growth < 1.5;
        std::snprintf(cell, sizeof cell, "%.0f (%.2fx)", perRecord[i], growth);
      } else {
        std::snprintf(cell, sizeof cell, "%.0f", perRecord[i]);
      }
      std::printf(" %16s", cell);
      previous[i] = perRecord[i];
    }
    std::printf("\n");
    std::fflush(stdout);
  }
  std::printf("growth %s\n", allMet ? "met: every step below 1.5x" : "MISSED: a step of 1.5x or more");
}

}  // namespace vimbo::bench
