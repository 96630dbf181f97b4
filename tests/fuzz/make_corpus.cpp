// Writes the seed corpus of every fuzz target into the folder given (one
// sub-folder per target). The record seeds are made by the record core, so
// they are the bytes the program writes; the pictures are the smallest files
// of their kind, whole and cut short.
#include "records/layout.h"
#include "records/record.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace std::string_view_literals;
using Bytes = std::vector<std::uint8_t>;

std::filesystem::path g_root;

void write(std::string_view target, std::string_view name, const Bytes &bytes)
{
    const std::filesystem::path folder = g_root / target;
    std::filesystem::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void write(std::string_view target, std::string_view name, std::string_view text)
{
    write(target, name, Bytes(text.begin(), text.end()));
}

Bytes bytesOf(const records::Record &record) { return Bytes(record.bytes().begin(), record.bytes().end()); }

records::Record filled(const records::Layout &layout,
                       std::initializer_list<std::pair<std::string_view, std::string_view>> fields)
{
    records::Record record(layout);
    for (const auto &[name, text] : fields)
        record.setText(name, text);
    return record;
}

void recordSeeds()
{
    const records::Record client = filled(records::clientLayout(), {{"Name", "Maria Rossi"},
                                                                    {"Gender", "F"},
                                                                    {"BirthDate", "12/03/1985"},
                                                                    {"BirthPlace", "Città di Castello"},
                                                                    {"Street", "Via Roma 1"},
                                                                    {"City", "Milano"},
                                                                    {"Zip", "20121"},
                                                                    {"Email", "maria.rossi@example.com"},
                                                                    {"MobilePhone", "3471234567"},
                                                                    {"License", "MI1234567X"},
                                                                    {"Notes", "Prefers “small” cars – pays in €"},
                                                                    {"File01", "contract.pdf"},
                                                                    {"Desc01", "Signed contract"}});
    write("record", "client", bytesOf(client));

    const records::Record vehicle = filled(records::vehicleLayout(), {{"Type", "Car"},
                                                                      {"Make", "Fiat"},
                                                                      {"Model", "Panda"},
                                                                      {"Plate", "AB123CD"},
                                                                      {"Year", "2019"},
                                                                      {"Color", "Blu"},
                                                                      {"Odometer", "45210"},
                                                                      {"Fuel", "Benzina"},
                                                                      {"Daily", "39.50"},
                                                                      {"Notes", "Škoda-style roof rack, ½ tank"},
                                                                      {"File01", "Photo_1.jpg"}});
    write("record", "vehicle", bytesOf(vehicle));

    const records::Record agreement = filled(records::agreementLayout(), {{"Company01", "Carvello Rentals"},
                                                                          {"Number", "2024-0017"},
                                                                          {"Date", "05/06/2024"},
                                                                          {"Name", "Maria Rossi"},
                                                                          {"Make", "Fiat"},
                                                                          {"Model", "Panda"},
                                                                          {"Plate", "AB123CD"},
                                                                          {"Days", "3"},
                                                                          {"Total", "118.50"},
                                                                          {"PickUpTime", "09:30"},
                                                                          {"ReturnLocation", "Malpensa"}});
    write("record", "agreement", bytesOf(agreement));

    // A record cut short, as the last one of an interrupted copy would be.
    Bytes cut = bytesOf(client);
    cut.resize(300);
    write("record", "client-cut", cut);

    // Length bytes beyond the capacity, blanks and controls around texts,
    // and bytes left after a text that was shortened.
    records::Record damaged(records::vehicleLayout());
    damaged.setText("Make", "Alfa Romeo Giulietta");
    damaged.setText("Make", "Alfa");
    auto bytes = damaged.bytes();
    const records::Layout &layout = records::vehicleLayout();
    bytes[layout.offset(*layout.indexOf("Year"))] = 0xFF;
    const std::size_t plate = layout.offset(*layout.indexOf("Plate"));
    const std::string_view padded = "\t  AB 123\r\n\x01";
    bytes[plate] = static_cast<std::uint8_t>(padded.size());
    std::copy(padded.begin(), padded.end(), bytes.begin() + static_cast<std::ptrdiff_t>(plate) + 1);
    write("record", "vehicle-damaged", bytesOf(damaged));

    write("record", "all-ff", Bytes(records::kAgreementRecordLength, 0xFF));
    Bytes everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.push_back(static_cast<std::uint8_t>(b));
    write("record", "every-byte", everyByte);
}

// The export target: a first byte picking the file, then its records.
void exportSeeds()
{
    auto prefixed = [](std::uint8_t which, const Bytes &records) {
        Bytes out{which};
        out.insert(out.end(), records.begin(), records.end());
        return out;
    };
    records::Record client = filled(records::clientLayout(), {{"Name", "Maria Rossi"},
                                                              {"Notes", "a<b&c > d"},
                                                              {"Street", "Via Roma 1\r\nRimini"},
                                                              {"City", "Citt\xC3\xA0"}});
    Bytes two = bytesOf(client);
    two.insert(two.end(), two.begin(), two.end());
    write("export", "clients-markup-and-breaks", prefixed(0, two));
    records::Record vehicle = filled(records::vehicleLayout(), {{"Type", "Car"}, {"Notes", "<td>\n</tr>"}});
    write("export", "vehicle-cell-markup", prefixed(1, bytesOf(vehicle)));
    write("export", "agreement-all-ff", prefixed(2, Bytes(records::kAgreementRecordLength + 7, 0xFF)));
}

void codepageSeeds()
{
    write("codepage", "western", "Città, Ærø, Straße, naïve façade");
    write("codepage", "high-range", "€ ‚ ƒ „ … † ‡ ˆ ‰ Š ‹ Œ Ž ‘ ’ “ ” • – — ˜ ™ š › œ ž Ÿ");
    write("codepage", "best-fit", "Łódź, Bucureşti, Șt, ā ē ī, ＡＢＣ１２３, a\u2002b, x\u2212y");
    write("codepage", "combining", "e\xCC\x81 a\xCC\x88 n\xCC\x83");
    write("codepage", "malformed", "\xC3 \xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80 \xF8\x88\x80\x80\x80 \xE2\x82");
    write("codepage", "outside", "\xF0\x9F\x9A\x97 \xE4\xB8\xAD \xD0\x96");
    Bytes everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.push_back(static_cast<std::uint8_t>(b));
    write("codepage", "every-byte", everyByte);
}

// section, key, value and file content, split at 0x1F by the target.
std::string settingsInput(std::string_view section, std::string_view key, std::string_view value,
                          std::string_view content)
{
    std::string out;
    out.append(section).append("\x1F").append(key).append("\x1F").append(value).append("\x1F").append(content);
    return out;
}

void inifileSeeds()
{
    const std::string_view lf = "[Company]\nName=Carvello Rentals\nStreet=Via Roma 1\n\n[Agreement]\nNumber=17\n";
    write("inifile", "lf-new-key", settingsInput("Company", "City", "Torino", lf));
    write("inifile", "lf-existing-key", settingsInput("agreement", "NUMBER", "18", lf));

    const std::string_view crlf =
        "; settings of the desk\r\n[Company]\r\nName = \"Carvello Rentals\"\r\nPhone=011 555 0100\r\n\r\n"
        "[Printer]\r\nCopies=2\r\n";
    write("inifile", "crlf-quoted", settingsInput("Company", "Name", "'Carvello & Co'", crlf));
    write("inifile", "crlf-new-section", settingsInput("Language", "Current", "Italiano", crlf));
    write("inifile", "crlf-line-breaks", settingsInput("Printer", "Footer", "line one\r\nline two\n", crlf));

    const std::string_view bom = "\xEF\xBB\xBF[Società]\r\nNome=Città\r\nNote=  spazi  \r\n";
    write("inifile", "bom-utf8", settingsInput("SOCIETÀ", "Nome", "Ça va — bene", bom));
    write("inifile", "bom-only", settingsInput("Company", "Name", "x", "\xEF\xBB\xBF"));

    const std::string_view ansi = "[Soci\xE9t\xE9]\nNom=Caf\xE9\n[Soci\xE9t\xE9]\nNom=second";
    write("inifile", "ansi-duplicate-sections", settingsInput("Société", "Nom", "Crème brûlée", ansi));
    write("inifile", "no-final-break", settingsInput("Other", "Key", "value", "[A]\nk=v"));
    write("inifile", "empty", settingsInput("Company", "Name", "Carvello", ""));
    write("inifile", "stray-lines",
          settingsInput("S", "k", "v", "garbage\n[unclosed\n=novalue\n[S]\n  ; k=comment\nk\n\x00\x01=x\nk = old\n"sv));
    write("inifile", "long-value", settingsInput("S", "k", std::string(2100, 'v'), "[S]\nk=short\n"));
    // Names with blanks around them were once written but never found again.
    write("inifile", "blanks-around-names", settingsInput(" Company\t", "\tName ", "new", "[Company]\r\nName=old\r\n"));
    write("inifile", "line-break-in-names", settingsInput("Rental\nCompany", "Line 1\r\n", "x", "[Rental Company]\n"));
}

// The smallest baseline JPEG: one 8 x 8 grey block whose DC and AC tables
// each hold a single one-bit code. `extra` goes between the tables and the
// scan header (a restart interval, say), `scan` is the entropy-coded data.
Bytes jpeg(int width, const Bytes &extra, const Bytes &scan)
{
    Bytes out = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J',  'F',  'I',  'F',
                 0x00, 0x01, 0x01, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00};
    out.insert(out.end(), {0xFF, 0xDB, 0x00, 0x43, 0x00});
    out.insert(out.end(), 64, 0x01);
    out.insert(out.end(), {0xFF, 0xC0, 0x00, 0x0B, 0x08, 0x00, 0x08, 0x00, static_cast<std::uint8_t>(width), 0x01, 0x01,
                           0x11, 0x00});
    for (const std::uint8_t table : {0x00, 0x10}) {
        out.insert(out.end(), {0xFF, 0xC4, 0x00, 0x14, table, 0x01});
        out.insert(out.end(), 15, 0x00);
        out.push_back(0x00);
    }
    out.insert(out.end(), extra.begin(), extra.end());
    out.insert(out.end(), {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00});
    out.insert(out.end(), scan.begin(), scan.end());
    out.insert(out.end(), {0xFF, 0xD9});
    return out;
}

Bytes le(std::uint32_t value, int bytes)
{
    Bytes out;
    for (int k = 0; k < bytes; ++k)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
    return out;
}

void append(Bytes &out, const Bytes &more) { out.insert(out.end(), more.begin(), more.end()); }

// A 24-bit bitmap with the 40-byte header; rows are padded to 4 bytes.
Bytes bitmap(int width, int height, std::uint32_t compression = 0, std::uint32_t imageSize = 0)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 24 + 31) / 32 * 4;
    const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
    const std::uint32_t pixels = compression == 0 ? stride * rows : imageSize;
    Bytes out = {'B', 'M'};
    append(out, le(54 + pixels, 4));
    append(out, le(0, 4));
    append(out, le(54, 4));
    append(out, le(40, 4));
    append(out, le(static_cast<std::uint32_t>(width), 4));
    append(out, le(static_cast<std::uint32_t>(height), 4));
    append(out, le(1, 2));
    append(out, le(24, 2));
    append(out, le(compression, 4));
    append(out, le(pixels, 4));
    append(out, le(2835, 4));
    append(out, le(2835, 4));
    append(out, le(0, 4));
    append(out, le(0, 4));
    for (std::uint32_t k = 0; k < pixels; ++k)
        out.push_back(static_cast<std::uint8_t>(k * 37));
    return out;
}

// A bitmap with the old 12-byte header of OS/2 1.x.
Bytes coreBitmap(int width, int height)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 24 + 31) / 32 * 4;
    const std::uint32_t pixels = stride * static_cast<std::uint32_t>(height);
    Bytes out = {'B', 'M'};
    append(out, le(26 + pixels, 4));
    append(out, le(0, 4));
    append(out, le(26, 4));
    append(out, le(12, 4));
    append(out, le(static_cast<std::uint32_t>(width), 2));
    append(out, le(static_cast<std::uint32_t>(height), 2));
    append(out, le(1, 2));
    append(out, le(24, 2));
    out.insert(out.end(), pixels, 0x80);
    return out;
}

Bytes cut(Bytes bytes, std::size_t size)
{
    bytes.resize(size);
    return bytes;
}

void pictureSeeds()
{
    const Bytes tiny = jpeg(8, {}, {0x3F});
    write("pictureprobe", "tiny.jpg", tiny);
    write("pictureprobe", "tiny-trailer.jpg", [&] {
        Bytes b = tiny;
        append(b, Bytes{'t', 'r', 'a', 'i', 'l', 'e', 'r'});
        return b;
    }());
    write("pictureprobe", "tiny-no-end.jpg", cut(tiny, tiny.size() - 2));
    write("pictureprobe", "tiny-cut-headers.jpg", cut(tiny, 30));
    write("pictureprobe", "tiny-cut-scan.jpg", cut(tiny, tiny.size() - 3));
    // Two blocks with a restart marker between them.
    write("pictureprobe", "restart.jpg", jpeg(16, {0xFF, 0xDD, 0x00, 0x04, 0x00, 0x01}, {0x3F, 0xFF, 0xD0, 0x3F}));
    // Scan data with a stuffed 0xFF and fill bytes before the end marker;
    // only the structure counts here.
    write("pictureprobe", "stuffed.jpg", jpeg(8, {}, {0x3F, 0xFF, 0x00, 0x12, 0xFF, 0xFF}));

    const Bytes bmp = bitmap(3, 2);
    write("pictureprobe", "tiny.bmp", bmp);
    write("pictureprobe", "tiny-one-short.bmp", cut(bmp, bmp.size() - 1));
    write("pictureprobe", "tiny-header-only.bmp", cut(bmp, 54));
    write("pictureprobe", "top-down.bmp", bitmap(2, -2));
    write("pictureprobe", "rle.bmp", bitmap(4, 4, 1, 12));
    write("pictureprobe", "core.bmp", coreBitmap(2, 2));
    write("pictureprobe", "core-cut.bmp", cut(coreBitmap(2, 2), 30));
    // The largest rows a header can announce: their size once overflowed.
    write("pictureprobe", "huge-rows.bmp", [] {
        Bytes b = bitmap(1, 1);
        b[18] = b[19] = b[20] = 0xFF;
        b[21] = 0x7F;
        b[22] = b[23] = b[24] = 0xFF;
        b[25] = 0x7F;
        b[28] = b[29] = 0xFF;
        return b;
    }());
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    g_root = argv[1];
    recordSeeds();
    exportSeeds();
    codepageSeeds();
    inifileSeeds();
    pictureSeeds();
    return 0;
}
