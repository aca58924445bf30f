// The display lines of the Exif IFD0 and Exif IFD (tag numbers of Exif 2.3)
// and of the Fujifilm and Canon maker notes: a label per known tag, decoded texts
// for enumerated values. Labels are fixed English texts, never translated, and
// stay exactly as users of earlier versions know them, misspellings included.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <limits>
#include <string>

#include "app/DUtil.h"
#include "app/TiffTagList.h"
#include "platform/classes/strings.h"
#include "platform/rtl/sysutils.h"
#include "platform/rtl/text.h"

namespace {

struct TTagLabel {
  uint16_t Tag;
  const char* Label;
};

struct TValueText {
  int32_t Value;
  const char* Text;
};

using TValueTexts = std::initializer_list<TValueText>;

const char* FindText(TValueTexts table, int32_t value) {
  for (const TValueText& row : table)
    if (row.Value == value) return row.Text;
  return nullptr;
}

const char* FindLabel(std::initializer_list<TTagLabel> table, uint16_t tag) {
  for (const TTagLabel& row : table)
    if (row.Tag == tag) return row.Label;
  return nullptr;
}

std::string FallbackLine(const TTiffTagList& list, uint16_t tag) {
  return "$" + IntToHex(tag, 2) + "=" + list.GetValueText(tag);
}

std::string BoolText(bool value) { return value ? "True" : "False"; }

// 8-bit file text read the way the rest of the file's text is shown.
std::string StringText(const TTiffTagList& list, uint16_t tag) {
  return CodePageToUtf8(list.GetString(tag), CP_ACP);
}

const std::initializer_list<TTagLabel> kIfd0Labels = {
    {0x0100, "Image Width="},
    {0x0101, "Image Height="},
    {0x0102, "BitsPerSample="},
    {0x0103, "Compression="},
    {0x0106, "PhotometricInterpretation="},
    {0x010E, "Image Description (Title)="},
    {0x0111, "Image data location="},
    {0x0112, "Orientation="},
    {0x0115, "Number of Components"},
    {0x0116, "RowsPerStrip="},
    {0x0117, "StripByteCounts="},
    {0x011A, "XResolution="},
    {0x011B, "YResolution="},
    {0x011C, "PlanarConfiguration"},
    {0x0128, "ResolutionUnit="},
    {0x012D, "TransferFunction="},
    {0x0131, "Software Used="},
    {0x0132, "DateTime="},
    {0x013B, "Artist="},
    {0x013E, "WhitePoint="},
    {0x013F, "PrimaryChromaticities="},
    {0x0201, "Offset to JPEG SOI="},
    {0x0202, "Bytes of JPEG data="},
    {0x0211, "YCbCrCoefficients="},
    {0x0212, "YCbCrSubSampling"},
    {0x0213, "YCbCrPositioning"},
    {0x0214, "ReferenceBlackWhite="},
    {0x8298, "Copyright Holder="},
    {0xC4A5, "Print image matching="},
};

const std::initializer_list<TTagLabel> kExifLabels = {
    {0x8822, "Exposure Program="},
    {0x8824, "Spectral Sensitivity="},
    {0x8828, "Optoelectric conversion factor (OECF)="},
    {0x8830, "Sensitivity Type="},
    {0x8831, "Standard Output Sensitivity="},
    {0x8832, "Recommended ExposureIndex="},
    {0x8833, "ISO Speed="},
    {0x8834, "ISO Speed Latitude yyy="},
    {0x8835, "ISO Speed Latitude zzz="},
    {0x9000, "EXIF Version="},
    {0x9003, "Date and time of original data generation="},
    {0x9004, "Date and time of digital data generation="},
    {0x9101, "Meaning of each component="},
    {0x9102, "Image compression mode="},
    {0x9201, "Shutter speed="},
    {0x9202, "Aperture="},
    {0x9203, "Brightness="},
    {0x9204, "Exposure bias="},
    {0x9205, "Maximum lens aperture="},
    {0x9206, "Subject distance="},
    {0x9207, "Metering mode="},
    {0x9208, "Light source="},
    {0x9209, "Flash="},
    {0x920A, "Lens focal length="},
    {0x9214, "Subject area="},
    {0x9290, "DateTime subseconds="},
    {0x9291, "DateTimeOriginal subseconds="},
    {0x9292, "DateTimeDigitized subsecondse="},
    {0xA000, "Supported Flashpix Version="},
    {0xA001, "Color space information="},
    {0xA002, "Valid image width="},
    {0xA003, "Valid image height="},
    {0xA004, "Related audio file="},
    {0xA20B, "Flash energy="},
    {0xA20C, "Spatial frequency response="},
    {0xA20E, "Focal plane X resolution="},
    {0xA20F, "Focal plane Y resolution="},
    {0xA210, "Focal plane resolution unit="},
    {0xA214, "Subject location="},
    {0xA215, "Exposure index="},
    {0xA217, "Sensing method="},
    {0xA300, "File source="},
    {0xA301, "Scene type="},
    {0xA302, "CFA pattern="},
    {0xA401, "Custom image processing="},
    {0xA402, "Exposure mode="},
    {0xA403, "White balance="},
    {0xA404, "Digital zoom ratio="},
    {0xA405, "Focal length in 35 mm film="},
    {0xA406, "Scene capture type="},
    {0xA407, "Gain control="},
    {0xA408, "Contrast="},
    {0xA409, "Saturation="},
    {0xA40A, "Sharpness="},
    {0xA40B, "Device settings description="},
    {0xA40C, "Subject distance range="},
    {0xA420, "Unique image ID="},
    {0xA430, "Camera Owner name="},
    {0xA431, "Body Serial Number="},
    {0xA432, "Lens Specification="},
    {0xA433, "Lens Make="},
    {0xA434, "Lens Model="},
    {0xA435, "Lens Serial Number="},
    {0xA500, "Gamma="},
};

// ---- Fujifilm value texts

// What a decoder gives for a value outside its table differs per decoder.
enum TOtherText : uint8_t { otEmpty, otQuestionMark };

struct TFujiDecoder {
  uint16_t Tag;
  const char* Label;
  TValueTexts Texts;
  TOtherText Other;
};

const TFujiDecoder kFujiDecoders[] = {
    {0x1001, "Sharpness=",
     {{1, "Softest"}, {2, "Soft"}, {3, "Normal"}, {4, "Hard"}, {5, "Hardest"}, {130, "Medium Soft"},
      {132, "Medium Hard"}, {0x8000, "Film Simulation"}, {0xFFFF, "n/a"}},
     otEmpty},
    {0x1002, "White Balance=",
     {{0, "Auto"},
      {256, "Fine Weather"},
      {512, "Shade"},
      {768, "Daylight Fluorescent Lamp"},
      {769, "Daylight White Fluorescent Lamp"},
      {770, "Cool White Fluorescent Lamp"},
      {771, "Warm White Fluorescent Lamp"},
      {772, "2800K-3000K Fluorescent Lamp"},
      {1024, "Incandescent Light"},
      {1280, "Flash"},
      {1536, "UNDERWATER"},
      {3840, "Custom 1"},
      {3841, "Custom 2"},
      {3842, "Custom 3"},
      {3843, "Custom 4"},
      {3844, "Custom 5"},
      {4080, "Kelvin"},
      {4352, "Custom Fine"},
      {4608, "Custom Shade"},
      // Typographic quotes for the first three, doubled straight ones for the next two: the texts as they have always read.
      {4864, "Custom \u201CDaylight\u201D fluorescent lamps"},
      {4865, "Custom \u201CWarm White\u201D fluorescent lamps"},
      {4866, "Custom \u201CCool White\u201D fluorescent lamps"},
      {4867, "Custom \"\"Warm White\"\" fluorescent lamps"},
      {4868, "Custom \"\"2800K-3000K\"\" fluorescent lamps"},
      {5120, "Custom Incandescent light"}},
     otQuestionMark},
    {0x1003, "Color Saturation=",
     {{0, "Normal"}, {128, "Medium High"}, {256, "High"}, {384, "Medium Low"}, {512, "Low"}, {768, "Black & White"},
      {0x8000, "Film Simulation Mode"}},
     otQuestionMark},
    {0x1004, "Tone (Contrast)=",
     {{0, "Normal"}, {128, "Medium High"}, {256, "High"}, {384, "Medium Low"}, {512, "Low"},
      {0x8000, "Film Simulation"}},
     otQuestionMark},
    {0x1010, "Flash Mode=", {{0, "Auto"}, {1, "On"}, {2, "Off"}, {3, "Red-eye Reduction"}, {4, "External"}},
     otQuestionMark},
    {0x1021, "Focus Mode=", {{0, "Auto Focus"}, {1, "Manual Focus"}}, otQuestionMark},
    {0x1022, "2D AF Mode=", {{0, "Multi"}, {1, "Center"}}, otQuestionMark},
    {0x1031, "PictureMode=",
     {{0, "Auto"},
      {1, "Portrait Scene"},
      {2, "Landscape Scene"},
      {3, "Macro"},
      {4, "Sports Scene"},
      {5, "Night Scene"},
      {6, "Program AE"},
      {7, "Natural Light"},
      {8, "Anti-blur"},
      {9, "Beach & Snow"},
      {10, "Sunset"},
      {11, "Museum"},
      {12, "Party"},
      {13, "Flower"},
      {14, "Text"},
      {15, "Natural Light & Flash"},
      {16, "Beach"},
      {17, "Snow"},
      {18, "Fireworks"},
      {19, "Underwater"},
      {20, "Portrait Enhancer"},
      {21, "Baby Mode"},
      {23, "Night (Tripod)"},
      {256, "Aperture priority AE"},
      {512, "Shutter priority AE"},
      {768, "Manual Exposure"}},
     otEmpty},
    {0x1033, "EXR=", {{0, "Auto"}, {1, "Manual"}}, otQuestionMark},
    {0x1034, "EXR Mode=",
     {{256, "High Resolution"}, {512, "Signal to Noise priority"}, {768, "Dynamic Range priority"}}, otEmpty},
    {0x1210, "Color Mode=", {{0, "Standard"}, {16, "Chrome"}, {48, "B&W"}}, otQuestionMark},
    {0x1301, "Focus Warning=", {{0, "Auto Focus Good"}, {1, "Out of Focus"}}, otQuestionMark},
    {0x1302, "Auto Exposure Warning=", {{0, "Auto Exposure Good"}, {1, "Over exposure (>1/1000s,F11)"}},
     otQuestionMark},
    {0x1400, "Dynamic Range=", {{1, "Standard"}, {3, "Wide"}}, otQuestionMark},
};

// Tags shown as a bare decimal under a label of their own.
const std::initializer_list<TTagLabel> kFujiIntegerLabels = {
    {0x1032, "$1032 (Burst Count?)="}, {0x1035, "$1035="}, {0x1101, "Sequence Number="},
    {0x1200, "$1200="},                {0x1303, "$1303="}, {0x140A, "$140A="},
    {0x4100, "Faces detected="},       {0x4200, "$4200="},
};

std::string DecodedText(const TTiffTagList& list, const TFujiDecoder& d) {
  if (!list.HasTag(d.Tag)) return {};
  if (const char* text = FindText(d.Texts, list.GetInteger(d.Tag))) return text;
  return d.Other == otQuestionMark ? "?" : "";
}

std::string ParallaxFlagsText(const TTiffTagList& list) {
  if (!list.HasTag(0xB213)) return {};
  const uint32_t f = uint32_t(list.GetInteger(0xB213));
  if (f == 0xFFFF) return "consecutive shots";
  if (f & ~0x0101u) return IntToHex(f, 8);
  if (f == 0) return "[]";
  std::string text;
  if (f & 0x0001) text += "[manual]";
  if (f & 0x0100) text += "[edited]";
  return text;
}

std::string AutoParallaxText(const TTiffTagList& list) {
  if (!list.HasTag(0xB214)) return {};
  const int32_t v = list.GetInteger(0xB214);
  switch (v) {
    case 0: return "OK";
    case 1: return "Not found";
    case 0xFFFF: return "N/A";
    default: return IntToHex(uint32_t(v), 4);
  }
}

// ---- Canon camera settings

constexpr TValueTexts kCanonContrast = {{0, "Normal"},    {1, "High (+1)"},  {2, "High (+2)"},
                                        {4, "High (+4)"}, {0x7FFF, "N/A"},   {0xFFFC, "Low (-4)"},
                                        {0xFFFE, "Low (-2)"}, {0xFFFF, "Low (-1)"}};

struct TCanonSetting {
  const char* Prefix;  // nullptr: the index gives no line
  TValueTexts Texts;
};

// By element index; indexes 2, 6 and 8 format their values themselves, 16 a range of them.
const TCanonSetting kCanonSettings[] = {
    /* 0 */ {nullptr, {}},
    /* 1 */ {"Macro: ", {{0, "EOS macro"}, {1, "Macro"}, {2, "Normal"}}},
    /* 2 */ {"Self timer: ", {}},
    /* 3 */
    {"Quality: ",
     {{1, "Economy"},
      {2, "Normal"},
      {3, "Fine"},
      {4, "RAW"},
      {5, "Superfine"},
      {32769, "? Economy (0x0180)"},
      {32770, "? Fine (0x0380)"},
      {32773, "? SuperFine (0x0580)"},
      {0xFFFF, "N/A"}}},
    /* 4 */
    {"Flash: ",
     {{0, "Flash not fired"},
      {1, "Auto"},
      {2, "On"},
      {3, "Red-eye Reduction"},
      {4, "Slow Synchro"},
      {5, "Auto + Red-eye Reduction"},
      {6, "On + Red-eye Reduction"},
      {16, "External Flash"}}},
    /* 5 */
    {"Continuous drive mode: ",
     {{0, "Single or timer"},
      {1, "Continuous"},
      {2, "Movie / Self-timer"},
      {3, "Continuous, Speed Priority"},
      {4, "Continuous, Low Speed"},
      {5, "Continuous, High Speed"},
      {6, "? Silent mode (EOS-1Ds-Mark-III)"},
      {0xFFFF, "N/A"}}},
    /* 6 */ {"Unknown[6] ", {}},
    /* 7 */
    {"Focus Mode: ",
     {{0, "One-Shot"},
      {1, "AI Servo"},
      {2, "AI Focus"},
      {3, "MF"},
      {4, "Single (but check field 32)"},
      {5, "Continuous"},
      {6, "MF"}}},
    /* 8 */ {"Unknown[8] ", {}},
    /* 9 */
    {"Record Mode: ",
     {{1, "JPEG"}, {2, "CRW+THM"}, {3, "AVI+THM"}, {4, "TIF"}, {5, "TIF+JPEG"}, {6, "CR2"}, {7, "CR2+JPEG"}}},
    /* 10 */
    {"Image Size: ",
     {{0, "Large"},
      {1, "Medium"},
      {2, "Small"},
      {5, "Medium 1 (M1)"},
      {6, "Medium 2 (M2)"},
      {7, "Medium 3 (M3)"},
      {8, "Postcard"},
      {9, "Widescreen"},
      {0xFFFF, "N/A"}}},
    /* 11 */
    {"Easy Shoot: ",
     {{0, "Full Auto"},     {1, "Manual"},         {2, "Landscape"},   {3, "Fast Shutter"},
      {4, "Slow Shutter"},  {5, "Night"},          {6, "Gray Scale"},  {7, "Sepia"},
      {8, "Portrait"},      {9, "Sports"},         {10, "Macro / Close-Up"}, {11, "Black & White"},
      {12, "Pan Focus"},    {13, "Vivid"},         {14, "Neutral"},    {15, "Flash Off"},
      {16, "Long Shutter"}, {17, "Super Macro"},   {18, "Foliage"},    {19, "Indoor"},
      {20, "Fireworks"},    {21, "Beach"},         {22, "Underwater"}, {23, "Snow"},
      {24, "Kids & Pets"},  {25, "Night Snapshot"}, {26, "Digital Macro"}, {27, "My Colors"},
      {28, "Still Image"},  {30, "Color Accent"},  {31, "Color Swap"}, {32, "Aquarium"},
      {33, "ISO 3200"},     {261, "Sun Set"},      {0xFFFF, "N/A"}}},
    /* 12 */
    {"Digital Zoom: ",
     {{0, "None"},
      {1, "2\u00D7"},
      {2, "4\u00D7"},
      {3, "\tCalculate 0x0001-0x0025/0x0001-0x0024"},
      {0xFFFF, "N/A"}}},
    /* 13 */ {"Contrast: ", kCanonContrast},
    /* 14 */ {"Saturation: ", kCanonContrast},
    /* 15 */ {nullptr, {}},
    /* 16 */
    {"CCD ISO: ",
     {{0, "Not used"},
      {14, "Auto High"},
      {15, "Auto"},
      {16, "50"},
      {17, "100"},
      {18, "200"},
      {19, "400"},
      {20, "800"},
      {0x7FFF, "See Exif-ISO"}}},
    /* 17 */
    {"Metering Mode: ",
     {{0, "Default"},
      {1, "Spot"},
      {2, "Average"},
      {3, "Evaluative"},
      {4, "Partial"},
      {5, "Center-weighted Average"},
      {0xFFFF, "N/A"}}},
    /* 18 */
    {"Focus Type: ",
     {{0, "Manual"},
      {1, "Auto-1"},
      {2, "Auto-2"},
      {3, "Close-up (macro)"},
      {4, "Very Close"},
      {5, "Close"},
      {6, "Middle Range"},
      {7, "Far Range"},
      {8, "Locked (pan mode)"},
      {9, "Close-up (SuperMacro)"},
      {10, "Infinity"},
      {11, "Super Macro mode (PS-S2/S5)"},
      {0xFFFF, "N/A"}}},
    /* 19 */
    {"AF Point: ",
     {{0, "N/A"},
      {0x2005, "Manual AF point selection"},
      {0x3000, "None (MF)"},
      {0x3001, "Auto AF point selection"},
      {0x3002, "Right"},
      {0x3003, "Center"},
      {0x3004, "Left"},
      {0x4001, "Auto AF point selection"},
      {0x4006, "Face Detect"},
      {0xFFFF, "N/A"}}},
    /* 20 */
    {"Exposure Mode: ",
     {{0, "Easy Shooting"},
      {1, "P - Program AE"},
      {2, "TV - Shutter Speed Priority AE"},
      {3, "AV - Aperture-Priority AE"},
      {4, "M - Manual"},
      {5, "Depth-of-field AE"},
      {6, "M-Dep"},
      {7, "? Bulb or Custom (EOS-5D)"},
      {0xFFFF, "N/A"}}},
};
constexpr int32_t kCanonSettingCount = int32_t(std::size(kCanonSettings));

// The line of camera setting i with value c; empty when it gives none.
std::string CanonSettingLine(int32_t i, int32_t c) {
  const TCanonSetting& s = kCanonSettings[i];
  if (!s.Prefix) return {};
  switch (i) {
    case 2: return c == 0 ? std::string() : s.Prefix + IntToStr(c) + " * 1/10th sec";
    case 6:
    case 8: return s.Prefix + IntToStr(c);
    case 16:
      if (c >= 0x4000 && c <= 0x7FFE) return s.Prefix + IntToStr(c - 0x4000);
      break;
  }
  const char* text = FindText(s.Texts, c);
  return s.Prefix + (text ? std::string(text) : "? " + IntToStr(c));
}

}  // namespace

void TExifTiffTagList::DumpToStrings(TStrings* strings) const {
  for (int32_t i = 0; i < Count(); ++i) {
    const uint16_t tag = FixWord(Items(i)->Tag);
    if (tag == 0x010F) strings->Add("Make=" + GetMake());
    else if (tag == 0x0110) strings->Add("Model=" + GetModel());
    else if (tag == 0x8769) strings->Add("Attribute IFD exists");
    else if (const char* label = FindLabel(kIfd0Labels, tag)) strings->Add(label + GetValueText(tag));
    else strings->Add(FallbackLine(*this, tag));
  }
}

void TExifAttributesList::DumpToStrings(TStrings* strings) const {
  for (int32_t i = 0; i < Count(); ++i) {
    const uint16_t tag = FixWord(Items(i)->Tag);
    switch (tag) {
      case 0x829A: strings->Add("Exposure Time=" + RationalToFraction(GetRational(tag)) + "s"); break;
      case 0x829D: strings->Add("F Number=" + RationalToText(GetRational(tag))); break;
      case 0x8827:
        // Exif 2.3 renamed the tag; versions are compared as text, as they are written.
        strings->Add((CompareStr(GetExifVersion(), "0230") < 0 ? "ISO Speed Ratings=" : "Photographic Sensitivity=") +
                     GetValueText(tag));
        break;
      case 0x927C: strings->Add("Maker Notes exist"); break;
      case 0x9286: strings->Add("User Comments exist"); break;
      case 0xA005: strings->Add("Interoperability Pointer exists"); break;
      default:
        if (const char* label = FindLabel(kExifLabels, tag)) strings->Add(label + GetValueText(tag));
        else strings->Add(FallbackLine(*this, tag));
    }
  }
}

TRect TFujiMakerNotes::RectAt(uint16_t tag, int64_t first) const {
  // A hostile index must not overflow: anything past int32 is past the data and reads as 0.
  auto at = [&](int64_t k) {
    return GetIntegerAt(tag, int32_t(std::clamp<int64_t>(k, -1, std::numeric_limits<int32_t>::max())));
  };
  return TRect(at(first), at(first + 1), at(first + 2), at(first + 3));
}

TRect TFujiMakerNotes::GetFacePosition(int32_t i) const { return RectAt(0x4103, int64_t(i) * 4); }
TRect TFujiMakerNotes::GetFocusedFace() const { return RectAt(0x4005, 0); }

void TFujiMakerNotes::DumpToStrings(TStrings* strings) const {
  for (int32_t i = 0; i < Count(); ++i) {
    const uint16_t tag = FixWord(Items(i)->Tag);
    std::string line;
    switch (tag) {
      case 0x0000: line = "Version=" + StringText(*this, tag); break;
      case 0x0010: line = "InternalSerialNumber=" + StringText(*this, tag); break;
      case 0x1000: line = "Quality=" + StringText(*this, tag); break;
      case 0x1005: line = "Color temperature"; break;
      case 0x1011: line = "Flash Strength=" + FloatValueToStr(GetFlashStrength()) + " EV"; break;
      case 0x1020: line = "Macro=" + BoolText(GetMacro()); break;
      case 0x1023: {
        const TPoint p = GetFocusPixel();
        line = "Focus Pixel=(" + IntToStr(p.X) + "|" + IntToStr(p.Y) + ")";
        break;
      }
      case 0x1030: line = "SlowSync=" + BoolText(GetSlowSync()); break;
      case 0x1100: line = "Continuos taking or auto bracketing mode=" + BoolText(GetContinuousMode()); break;
      case 0x1300: line = std::string("Blur Warning=") + (GetBlurWarning() ? "Blur Warning" : "No Blur Warning"); break;
      case 0x1408:
      case 0x1409: continue;
      case 0x1422:
        line = "$1422=" + IntToStr(GetIntegerAt(tag, 0)) + ", " + IntToStr(GetIntegerAt(tag, 1)) + ", " +
               IntToStr(GetIntegerAt(tag, 2));
        break;
      case 0x4005: line = "FocusedFace=" + RectToStr(GetFocusedFace()); break;
      case 0x4103: line = "Face Positions=" + GetValueText(tag); break;
      case 0xB211: line = "Parallax=" + SRationalToText(GetParallax()); break;
      case 0xB212: line = "Vertical Parallax=" + SRationalToText(GetVerticalParallax()); break;
      case 0xB213: line = "Parallax Flags=" + ParallaxFlagsText(*this); break;
      case 0xB214: line = "Auto Parallax=" + AutoParallaxText(*this); break;
      default:
        if (const char* label = FindLabel(kFujiIntegerLabels, tag)) {
          line = label + IntToStr(GetInteger(tag));
          break;
        }
        const TFujiDecoder* decoder = nullptr;
        for (const TFujiDecoder& d : kFujiDecoders)
          if (d.Tag == tag) decoder = &d;
        line = decoder ? decoder->Label + DecodedText(*this, *decoder) : FallbackLine(*this, tag);
    }
    strings->Add(line);
  }
}

void TCanonMakerNotes::DumpToStrings(TStrings* strings) const {
  for (int32_t i = 0; i < Count(); ++i) {
    const uint16_t tag = FixWord(Items(i)->Tag);
    if (tag == 0) strings->Add("Unknown 0=" + GetValueText(tag));
    else if (tag == 2) strings->Add("Focal Length=" + GetValueText(tag));
    else if (tag == 1) {
      // Settings past index 20 give no line, so however large the count, no
      // more are asked for; those the array lacks are not asked for either.
      const uint32_t count = FixLong(Items(i)->Count);
      for (int32_t k = 0; k < kCanonSettingCount && uint32_t(k) < count; ++k) {
        const int32_t c = GetIntegerAt(tag, k);
        const std::string line = CanonSettingLine(k, c);
        if (!line.empty()) strings->Add(line);
      }
    }
  }
}
