// Fuzz target: arbitrary bytes as config.ini, through the INI store and through LoadSettings.
// The first byte picks the regional settings, the rest is the file (in the system code page, or
// UTF-8 or UTF-16 after a byte-order mark).
//
// What must hold for every input:
// - the store: a file read and written back unchanged is the same bytes, line ends included (a
//   UTF-16 file of odd length loses its last byte, half a character); those bytes read back to
//   the same bytes and the same values; written values that the file's encoding holds read back
//   as written and leave every other key as it was; a value it refuses leaves it unchanged;
// - loading ends normally or with one SettingsError naming each failed value; nothing else
//   escapes, nothing crashes or hangs;
// - a save after that load is refused with a message or gives a file that loads again without
//   any error and with the same values.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "core/controls.h"
#include "settings/ini_file.h"
#include "settings/settings_file.h"
#include "support/fakes/fake_code_page.h"
#include "support/fakes/fake_registry.h"
#include "support/scheduler_rig.h"

namespace tc {
namespace {

const std::string kConfig = "C:\\Tools\\Tallowcron\\config.ini";

void Require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

std::vector<const ControlSpec*> Stored() {
    std::vector<const ControlSpec*> stored;
    for (const ControlSpec& c : ControlTable())
        if (c.storedAs != StoredAs::None) stored.push_back(&c);
    return stored;
}

// The bytes a file read from `text` must be written back as when nothing was written to it.
std::string_view WrittenBack(std::string_view text, IniEncoding encoding) {
    const bool utf16 = encoding == IniEncoding::Utf16Le || encoding == IniEncoding::Utf16Be;
    const std::size_t body = text.size() - ByteOrderMark(encoding).size();
    return utf16 && body % 2 == 1 ? text.substr(0, text.size() - 1) : text;
}

void CheckStore(std::string_view text) {
    FakeCodePage codePage;
    const IniFile file = IniFile::FromBytes(text, codePage);
    const std::string written = file.Bytes(codePage);
    Require(written == WrittenBack(text, file.Encoding()),
            "a file written back unchanged is the bytes it was read from");
    const IniFile reparsed = IniFile::FromBytes(written, codePage);
    Require(reparsed.Bytes(codePage) == written, "the bytes of a read file read as the same bytes");
    Require(reparsed.Encoding() == file.Encoding(), "a file keeps its encoding");
    for (const ControlSpec* c : Stored())
        Require(
            ReadIniSValue(file, c->section, c->key) == ReadIniSValue(reparsed, c->section, c->key),
            "a parsed file reads the same after a round trip through its text");

    // Write the odd keys with slices of the input; the even ones must not move.
    IniFile edited = file;
    const std::vector<const ControlSpec*> stored = Stored();
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const ControlSpec& c = *stored[i];
        if (c.saveOrder % 2 == 0) continue;
        const std::string value(text.substr(std::min(text.size(), i * 3), i % 7 * 5));
        if (!CanHold(edited, codePage, value)) continue;  // refused by the save before writing
        const std::string before = edited.Bytes(codePage);
        try {
            WriteIniValue(edited, c.section, c.key, value);
        } catch (const IniValueError& e) {
            Require(*e.what() != '\0', "a refusal has a message");
            Require(edited.Bytes(codePage) == before, "a refused value changes nothing");
            Require(value.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos,
                    "only line breaks and NULs are refused");
            continue;
        }
        Require(ReadIniSValue(edited, c.section, c.key) == value, "a written value reads back");
        Require(ReadIniSValue(IniFile::FromBytes(edited.Bytes(codePage), codePage), c.section,
                              c.key) == value,
                "a written value reads back from the bytes");
    }
    for (const ControlSpec* c : stored)
        if (c->saveOrder % 2 == 0)
            Require(ReadIniSValue(edited, c->section, c->key) ==
                        ReadIniSValue(file, c->section, c->key),
                    "writing one key leaves the others");
}

struct Rig : SchedulerRig {
    FakeRegistry registry;
    SettingsFile settings{form, moments, {files, codePage, registry}};
    explicit Rig(const LocaleInfo& info) {
        locale.Set(info);
        moments.ReloadLocale();
    }
};

// The part of each stored control that the file keeps.
std::vector<std::string> StoredState(Rig& rig) {
    std::vector<std::string> state;
    for (const ControlSpec* c : Stored()) {
        const std::string_view name = c->name;
        switch (c->storedAs) {
        case StoredAs::Text:
            state.push_back(rig.form.Text(name));
            break;
        case StoredAs::Flag:
        case StoredAs::OpenClose:
            state.push_back(rig.form.Checked(name) ? "1" : "0");
            break;
        case StoredAs::ItemIndex:
            state.push_back(std::to_string(rig.form.ItemIndex(name)));
            break;
        case StoredAs::DateSerial:
            state.push_back(
                std::to_string(static_cast<long long>(DateOf(rig.form.DateTime(name)))));
            break;
        case StoredAs::TimeText:
            state.push_back(std::to_string(ToWholeSeconds(TimeOf(rig.form.DateTime(name)))));
            break;
        case StoredAs::None:
            break;
        }
    }
    return state;
}

void CheckLoadAndSave(const LocaleInfo& info, std::string_view text) {
    Rig first(info);
    first.files.files[kConfig] = std::string(text);
    try {
        first.settings.LoadSettings();
    } catch (const SettingsError& e) {
        Require(!e.messages().empty(), "a load error names what failed");
        for (const std::string& m : e.messages())
            Require(!m.empty(), "every failure has a message");
    }
    const std::vector<std::string> loaded = StoredState(first);

    try {
        first.settings.SaveSettings();
    } catch (const IniValueError& e) {
        Require(*e.what() != '\0', "a refused save has a message");
        Require(first.files.files.at(kConfig) == text, "a refused save leaves the file");
        return;
    }

    Rig second(info);
    second.clock.Set(2031, 7, 7, 23, 59, 58, 500);
    second.files = first.files;
    try {
        second.settings.LoadSettings();
    } catch (const SettingsError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        Require(false, "what was saved loads without errors");
    }
    Require(StoredState(second) == loaded, "what was saved loads as it was");
}

}  // namespace
}  // namespace tc

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const tc::LocaleInfo locales[] = {tc::ChineseLocale(), tc::UsEnglishLocale(),
                                      tc::GermanLocale(), tc::KoreanStyleLocale(),
                                      tc::NamedMonthLocale()};
    const tc::LocaleInfo& locale = locales[data[0] % 5];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    tc::CheckStore(text);
    tc::CheckLoadAndSave(locale, text);
    return 0;
}
