#include "vcard_measure.h"

#include <cstdio>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/transfer/base64_text.h"
#include "core/transfer/person_text_reader.h"
#include "core/transfer/text_export.h"
#include "core/transfer/text_transfer_settings.h"
#include "core/transfer/vcard_reader.h"
#include "core/transfer/vcard_writer.h"

namespace vimbo::bench {
namespace {

constexpr std::size_t kPhoneCards = 2000;
constexpr std::size_t kPhotoBytes = std::size_t{20} * 1024;

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

std::vector<const Person*> PersonsOf(const std::vector<Person>& persons) {
  std::vector<const Person*> pointers;
  pointers.reserve(persons.size());
  for (const Person& person : persons) pointers.push_back(&person);
  return pointers;
}

// The cards a phone writes: the generated person's fields, a birthday, a
// note, a second phone, and a photo of 20 KB.
std::vector<Person> PhonePersons(const DocumentData& data) {
  std::mt19937 random(20261208);
  std::vector<Person> persons;
  for (const auto& [id, generated] : data.persons) {
    if (persons.size() == kPhoneCards) break;
    Person person = generated;
    person.Birthday = {1980, 4, 12};
    person.Notes = "Met at the trade fair; prefers e-mail.";
    PersonDetail phone;
    phone.kind = DetailKind::kPhone;
    phone.label = "work,voice";
    phone.value = "+1 555 0100";
    PersonDetail photo;
    photo.kind = DetailKind::kPhoto;
    photo.type = "image/jpeg";
    std::string bytes(kPhotoBytes, '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    photo.value = Base64Encode(bytes);
    person.Details = {phone, photo};
    persons.push_back(std::move(person));
  }
  return persons;
}

Work ReadWork(const std::string& text, std::size_t cards) {
  return [&text, cards](int repeats) {
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) ok = ReadVCards(text).persons.size() == cards && ok;
    });
    Check(ok, "the cards did not all read");
    return seconds;
  };
}

Work WriteWork(const std::vector<const Person*>& persons, std::size_t bytes) {
  return [&persons, bytes](int repeats) {
    bool ok = true;
    const double seconds = CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) ok = VCardText(persons).size() == bytes && ok;
    });
    Check(ok, "the cards changed");
    return seconds;
  };
}

// The same persons as the CSV import reads them, and the CSV export writes.
struct PersonsText {
  TextTransferSettings read = PersonsImportSettings();
  TextTransferSettings write = PersonsExportSettings();
};

PersonsText CsvSettings(const std::string& fileName) {
  PersonsText settings;
  for (TextTransferSettings* s : {&settings.read, &settings.write}) {
    s->Fields = s->AvailableFields;
    s->Separator.assign(1, ',');
    s->Encloser.assign(1, '"');
    s->FileName = fileName;
  }
  settings.read.ColumnCount = static_cast<int>(settings.read.Fields.size());
  settings.read.FirstLineHasNames = true;
  return settings;
}

std::string PerSecond(double count, double seconds, const char* unit) {
  char text[48];
  std::snprintf(text, sizeof text, "%.0fk %s/s", seconds > 0 ? count / seconds / 1e3 : 0.0, unit);
  return text;
}

std::string MegabytesPerSecond(double bytes, double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.0f MB/s", seconds > 0 ? bytes / seconds / 1e6 : 0.0);
  return text;
}

}  // namespace

void RunVCardMeasures(const DocumentData& data, const std::string& folder, const RoundOptions& options) {
  if (data.persons.Empty()) {
    PrintNote("vcard", "skipped: the document has no persons");
    return;
  }
  // Small cards: the document's persons, as the export writes them, beside
  // the CSV export and import of the same persons.
  std::vector<const Person*> persons;
  for (const auto& [id, person] : data.persons) persons.push_back(&person);
  const std::string cards = VCardText(persons);
  const PersonsText csv = CsvSettings(folder + "/vcard-persons.csv");
  const std::string csvText = PersonsExportText(data, csv.write);
  FILE* file = std::fopen(csv.read.FileName.c_str(), "wb");
  Check(file && std::fwrite(csvText.data(), 1, csvText.size(), file) == csvText.size() && std::fclose(file) == 0,
        "cannot write the CSV file");
  const double count = static_cast<double>(persons.size());
  const Work csvRead = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) Check(ReadPersonsFromText(csv.read).size() == persons.size(), "CSV read");
    });
  };
  const Work csvWrite = [&](int repeats) {
    return CpuSecondsOf([&] {
      for (int i = 0; i < repeats; ++i) Check(PersonsExportText(data, csv.write).size() == csvText.size(), "CSV");
    });
  };
  const PairResult read = Interleave(ReadWork(cards, persons.size()), csvRead, options);
  PrintRow("import vCard, small cards / CSV of the same persons", Milliseconds(read.ours), Milliseconds(read.reference),
           PerSecond(count, read.ours, "cards") + " (" + Ratio(read.ratio) + ")", ">= 300k/s",
           count / read.ours >= 3e5);
  const PairResult write = Interleave(WriteWork(persons, cards.size()), csvWrite, options);
  PrintRow("export vCard, small cards / CSV of the same persons", Milliseconds(write.ours),
           Milliseconds(write.reference), PerSecond(count, write.ours, "cards") + " (" + Ratio(write.ratio) + ")",
           ">= import", write.ours <= read.ours);

  // Cards as phones write them, each with a photo: bytes per second.
  const std::vector<Person> phone = PhonePersons(data);
  const std::vector<const Person*> phonePointers = PersonsOf(phone);
  const std::string phoneCards = VCardText(phonePointers);
  const auto bytes = static_cast<double>(phoneCards.size());
  const double phoneRead = Repeat(ReadWork(phoneCards, phone.size()), options);
  const double phoneWrite = Repeat(WriteWork(phonePointers, phoneCards.size()), options);
  PrintRow("import vCard, phone cards with a 20 KB photo", Milliseconds(phoneRead), "",
           MegabytesPerSecond(bytes, phoneRead), ">= 20 MB/s", bytes / phoneRead >= 20e6);
  PrintRow("export vCard, phone cards with a 20 KB photo", Milliseconds(phoneWrite), "",
           MegabytesPerSecond(bytes, phoneWrite), ">= import", phoneWrite <= phoneRead);
  char note[160];
  std::snprintf(note, sizeof note, "%s small cards, %s (CSV %s); %s phone cards, %s", Count(count).c_str(),
                Megabytes(static_cast<double>(cards.size())).c_str(),
                Megabytes(static_cast<double>(csvText.size())).c_str(),
                Count(static_cast<double>(phone.size())).c_str(), Megabytes(bytes).c_str());
  PrintNote("vcard files", note);
}

}  // namespace vimbo::bench
