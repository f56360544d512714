#include "settings/format_catalogue.h"

#include <cstdlib>

namespace plotvale::settings {

namespace {

// DevIL image-type codes of the three formats written through DevIL.
constexpr int32_t IlPcx = 0x0428;
constexpr int32_t IlDds = 0x0437;
constexpr int32_t IlPsd = 0x0439;

OutputFormat freeImage(std::string key, int32_t code, std::string description, std::string depths,
                       std::vector<std::string> keys) {
    return {std::move(key),    code,           Encoder::FreeImage, std::move(description),
            std::move(depths), std::move(keys)};
}

OutputFormat devil(std::string key, int32_t code, std::string description, std::string depths,
                   std::vector<std::string> keys) {
    return {std::move(key),    code,           Encoder::DevIL, std::move(description),
            std::move(depths), std::move(keys)};
}

std::vector<OutputFormat> buildOutputTable() {
    return {
        freeImage("bmp", 0, "Windows or OS/2 Bitmap", "1,4,8,16,24,32",
                  {"BMP BPP", "BMP Compression", "BMP Color Table"}),
        devil("dds", IlDds, "DirectDraw Surface", "32", {"DDS BPP"}),
        freeImage("exr", 29, "ILM OpenEXR", "96", {"EXR BPP", "EXR Compression"}),
        freeImage("gif", 25, "Graphics Interchange Format", "8", {"GIF BPP"}),
        freeImage("hdr", 26, "High Dynamic Range Image", "96", {"HDR BPP"}),
        freeImage("ico", 1, "Windows Icon", "1,4,8,16,24,32", {"ICO BPP"}),
        freeImage("j2k", 30, "JPEG-2000 Codestream", "8,24,32,48", {"J2K BPP"}),
        freeImage("jng", 3, "JPEG Network Graphics", "24,32", {"JNG BPP"}),
        freeImage("jp2", 31, "JPEG-2000 File Format", "8,24,32,48", {"JP2 BPP"}),
        freeImage("jpg", 2, "JPEG File Format", "8,24",
                  {"JPG BPP", "JPG Quality", "JPG Chroma", "JPG Save As"}),
        freeImage("jxr", 36, "JPEG XR Image Format", "1,8,16,24,32,48,96", {"JXR BPP"}),
        freeImage("pbm", 7, "Portable Bitmap", "1", {"PBM BPP"}),
        devil("pcx", IlPcx, "ZSoft Paintbrush", "24", {"PCX BPP"}),
        freeImage("pfm", 32, "Portable Floatmap", "96", {"PFM BPP"}),
        freeImage("pgm", 11, "Portable Greymap", "8", {"PGM BPP"}),
        freeImage("png", 13, "Portable Network Graphics", "1,4,8,24,32,48",
                  {"PNG BPP", "PNG Compression", "PNG Interlaced"}),
        freeImage("ppm", 14, "Portable Pixelmap", "24,48", {"PPM BPP"}),
        devil("psd", IlPsd, "Adobe Photoshop", "32", {"PSD BPP"}),
        freeImage("tga", 17, "Truevision Targa", "8,16,24,32", {"TGA BPP", "TGA Compression"}),
        freeImage("tiff", 18, "Tagged Image File Format", "1,4,8,24,32,48,96",
                  {"TIFF BPP", "TIFF Compression", "TIFF Color Mode"}),
        freeImage("wbmp", 19, "Wireless Bitmap", "1", {"WBMP BPP"}),
        freeImage("webp", 35, "Google WebP Image Format", "24,32", {"WEBP BPP", "WEBP Quality"}),
        freeImage("xpm", 23, "X11 Pixmap Format", "24", {"XPM BPP"}),
    };
}

// One family: its own key first, then aliases. An alias written "key=text"
// carries a description of its own.
struct Family {
    const char* key;
    const char* description;
    std::vector<const char*> aliases;
};

const std::vector<Family>& families() {
    static const std::vector<Family> rows = {
        {"bmp", "Windows or OS/2 Bitmap", {"rle", "dib"}},
        {"dds", "DirectDraw Surface File", {}},
        {"emf", "Enhanced Metafile Format", {"emz"}},
        {"gif", "GIF File", {}},
        {"hdr", "High Dynamic Range File", {"hdri"}},
        {"ico", "Windows Icon", {}},
        {"jpg", "JPEG File", {"jpeg", "jpe", "jif"}},
        {"pcd", "Kodak PhotoCD File", {"pcd1", "pcds", "ppcd"}},
        {"pcx", "ZSoft Paintbrush File", {}},
        {"pic", "Macintosh PICT", {"pict", "pct"}},
        {"png", "Portable Network Graphics", {}},
        {"psd", "Adobe Photoshop File", {}},
        {"tga", "Truevision Targa", {"targa"}},
        {"tiff", "Tagged Image File Format", {"tif"}},
        {"wmf", "Windows Metafile Format", {"wmz", "apm=Aldus Placeable Metafile"}},
        {"raw",
         "Camera RAW Image",
         {"raw1",
          "raw2",
          "3fr=Hasselblad Camera RAW Image",
          "arw",
          "sr2",
          "srf=Sony Camera RAW Image",
          "bay=Casio Camera RAW Image",
          "bmq=NuCore RAW Image",
          "cap",
          "iiq",
          "eip=Phase One Camera RAW Image",
          "cine=Phantom RAW Image",
          "cr2",
          "crw=Canon Camera RAW Image",
          "cs1=Capture Shop RAW Image",
          "dc2",
          "dcr",
          "drf",
          "dsc",
          "k25",
          "kc2",
          "kdc",
          "dcs=Kodak Camera RAW Image",
          "dng=Adobe Digital Negative Image",
          "erf=Epson Camera RAW Image",
          "fff=Imacon Camera RAW Image",
          "ia",
          "sti=Sinar RAW Image",
          "mdc",
          "mrw=Minolta Camera RAW Image",
          "mef",
          "mos=Mamiya Camera RAW Image",
          "nef",
          "nrw=Nikon Camera RAW Image",
          "orf=Olympus Camera RAW Image",
          "pef",
          "ptx=Pentax Camera RAW Image",
          "pxn=Logitech Camera RAW Image",
          "qtk=Apple Quicktake Camera RAW Image",
          "raf=Fuji Camera RAW Image",
          "rdc=Digital Foto Maker RAW Image",
          "rw2=Panasonic Camera RAW Image",
          "rwz=Rawzor Camera RAW Image",
          "x3f=Sigma Camera RAW Image",
          "ari=ARRI RAW Image",
          "r3d=RED RAW Image",
          "rwl=Leica Camera RAW Image"}},
    };
    return rows;
}

std::vector<InputFormat> buildInputTable() {
    std::vector<InputFormat> table;
    for (const Family& family : families()) {
        table.push_back({family.key, family.key, family.description});
        for (std::string_view alias : family.aliases) {
            const auto eq = alias.find('=');
            if (eq == std::string_view::npos) {
                table.push_back({std::string(alias), family.key, family.description});
            } else {
                table.push_back({std::string(alias.substr(0, eq)), family.key,
                                 std::string(alias.substr(eq + 1))});
            }
        }
    }
    return table;
}

std::vector<std::string> buildSupportedExtensions() {
    std::vector<std::string> extensions;
    for (const std::string& format : InputFormatList()) {
        for (const InputFormat& row : InputFormatTable()) {
            if (row.canonical == format) extensions.push_back(row.key);
        }
    }
    return extensions;
}

}  // namespace

const std::vector<std::string>& InputFormatList() {
    static const std::vector<std::string> list = {"wmf"};
    return list;
}

const std::vector<std::string>& OutputFormatList() {
    static const std::vector<std::string> list = [] {
        std::vector<std::string> keys;
        for (const OutputFormat& row : OutputFormatTable()) keys.push_back(row.key);
        return keys;
    }();
    return list;
}

const std::vector<OutputFormat>& OutputFormatTable() {
    static const std::vector<OutputFormat> table = buildOutputTable();
    return table;
}

const std::vector<InputFormat>& InputFormatTable() {
    static const std::vector<InputFormat> table = buildInputTable();
    return table;
}

const std::vector<std::string>& SupportedInputExtensions() {
    static const std::vector<std::string> list = buildSupportedExtensions();
    return list;
}

const OutputFormat* findOutputFormat(std::string_view key) {
    for (const OutputFormat& row : OutputFormatTable()) {
        if (row.key == key) return &row;
    }
    return nullptr;
}

const InputFormat* findInputFormat(std::string_view extension) {
    for (const InputFormat& row : InputFormatTable()) {
        if (row.key == extension) return &row;
    }
    return nullptr;
}

bool isDepthAllowed(const OutputFormat& format, int32_t depth) {
    if (depth == 0) return true;
    std::string_view rest = format.allowedDepths;
    while (!rest.empty()) {
        const auto comma = rest.find(',');
        const std::string field(rest.substr(0, comma));
        if (std::atoi(field.c_str()) == depth) return true;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return false;
}

}  // namespace plotvale::settings
