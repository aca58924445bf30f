// Realised fonts over FreeType and fontconfig.
//
// Metrics follow the platform's TrueType rules: ascent and descent come from
// the OS/2 table's usWinAscent/usWinDescent scaled to the em, the cell is their
// sum, internal leading is cell minus em, external leading is whatever the hhea
// line gap adds beyond the cell.
#include "platform/gdi/fontengine.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <deque>
#include <map>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_BITMAP_H
#include FT_TRUETYPE_TABLES_H

namespace win::fontengine {

namespace {

constexpr uint8_t kNonAntialiasedQuality = 3;
constexpr int32_t kDefaultCellHeight = 16;  // what lfHeight 0 gets, like the system font
constexpr int32_t kMaxEm = 2048;            // larger requests are clamped: a glyph mask stays bounded

std::string Lower(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = char(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// The FreeType library outlives every face made from it: faces hold a reference.
struct Library {
  FT_Library ft = nullptr;
  std::mutex mutex;  // FT_New_Face / FT_Done_Face / outline rendering are not re-entrant on one library
  Library() {
    if (FT_Init_FreeType(&ft) != 0) ft = nullptr;
  }
  ~Library() {
    if (ft) FT_Done_FreeType(ft);
  }
};

std::shared_ptr<Library> SharedLibrary() {
  static std::shared_ptr<Library> lib = std::make_shared<Library>();
  return lib;
}

struct ResolvedFace {
  std::string file;
  int index = 0;
  std::string family;
  int weight = 400;  // OpenType scale
  bool italic = false;
  bool ok = false;
};

// Face names the framework and its users write, and the installed family that
// stands in for each. Widths matter more than looks: Arial-metric Liberation
// Sans is close to the narrow dialog faces, DejaVu Sans to the wide Verdana.
struct FaceAlias {
  const char* name;
  const char* family;
};
constexpr FaceAlias kAliases[] = {
    {"tahoma", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
    {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"},
    {"segoe ui", "Liberation Sans"},
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"verdana", "DejaVu Sans"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"lucida console", "Liberation Mono"},
    {"consolas", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},
};
constexpr const char* kDefaultSans = "Liberation Sans";
constexpr const char* kSecondSans = "DejaVu Sans";

class Engine {
public:
  Engine() : lib_(SharedLibrary()) { config_ = FcInitLoadConfigAndFonts(); }
  ~Engine() {
    recent_.clear();
    live_.clear();
    faces_.clear();
    if (config_) FcConfigDestroy(config_);
    FcFini();
  }

  std::shared_ptr<Library> Lib() const { return lib_; }

  ResolvedFace Resolve(const std::string& family, int weight, bool italic) {
    std::lock_guard lock(faceMutex_);
    const std::string key = Lower(family) + '\n' + std::to_string(weight) + (italic ? "i" : "r");
    if (auto it = faces_.find(key); it != faces_.end()) return it->second;
    ResolvedFace r = Match(family, weight, italic, true);
    if (!r.ok) r = Match(kDefaultSans, weight, italic, true);
    if (!r.ok) r = Match(kSecondSans, weight, italic, true);
    if (!r.ok) r = Match(kDefaultSans, weight, italic, false);
    faces_[key] = r;
    return r;
  }

  bool FamilyInstalled(const std::string& family) {
    return Resolve(family, 400, false).ok && SameFamily(Resolve(family, 400, false).family, family);
  }

  std::mutex cacheMutex;
  std::map<std::string, std::weak_ptr<RealizedFont>> live_;
  std::deque<std::shared_ptr<RealizedFont>> recent_;

private:
  static bool SameFamily(const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }

  // With exact set, a match of another family (fontconfig's last resort) is refused.
  ResolvedFace Match(const std::string& family, int weight, bool italic, bool exact) {
    ResolvedFace r;
    if (!config_) return r;
    FcPattern* pat = FcPatternCreate();
    FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pat, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pat, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pat, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config_, pat, FcMatchPattern);
    FcDefaultSubstitute(pat);
    FcResult res = FcResultNoMatch;
    FcPattern* m = FcFontMatch(config_, pat, &res);
    FcPatternDestroy(pat);
    if (!m) return r;
    FcChar8* file = nullptr;
    if (FcPatternGetString(m, FC_FILE, 0, &file) == FcResultMatch && file) {
      bool familyOk = !exact;
      FcChar8* fam = nullptr;
      for (int i = 0; FcPatternGetString(m, FC_FAMILY, i, &fam) == FcResultMatch; ++i) {
        if (i == 0) r.family = reinterpret_cast<const char*>(fam);
        if (SameFamily(reinterpret_cast<const char*>(fam), family)) {
          familyOk = true;
          r.family = reinterpret_cast<const char*>(fam);
        }
      }
      if (familyOk) {
        r.file = reinterpret_cast<const char*>(file);
        int idx = 0;
        if (FcPatternGetInteger(m, FC_INDEX, 0, &idx) == FcResultMatch) r.index = idx;
        int w = FC_WEIGHT_REGULAR;
        if (FcPatternGetInteger(m, FC_WEIGHT, 0, &w) == FcResultMatch) r.weight = FcWeightToOpenType(w);
        int slant = FC_SLANT_ROMAN;
        if (FcPatternGetInteger(m, FC_SLANT, 0, &slant) == FcResultMatch) r.italic = slant != FC_SLANT_ROMAN;
        r.ok = true;
      }
    }
    FcPatternDestroy(m);
    return r;
  }

  std::shared_ptr<Library> lib_;
  FcConfig* config_ = nullptr;
  std::mutex faceMutex_;
  std::map<std::string, ResolvedFace> faces_;
};

Engine& TheEngine() {
  static Engine engine;
  return engine;
}

void CoverageFromBitmap(const FT_Bitmap& bm, Coverage& out) {
  out.width = int32_t(bm.width);
  out.height = int32_t(bm.rows);
  out.data.assign(size_t(out.width) * size_t(out.height), 0);
  if (out.Empty() || !bm.buffer) return;
  const int pitch = bm.pitch;
  for (int32_t y = 0; y < out.height; ++y) {
    const unsigned char* row = pitch >= 0 ? bm.buffer + size_t(y) * size_t(pitch)
                                          : bm.buffer + size_t(out.height - 1 - y) * size_t(-pitch);
    uint8_t* dst = &out.data[size_t(y) * size_t(out.width)];
    if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int32_t x = 0; x < out.width; ++x) dst[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
    } else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY) {
      const int grays = bm.num_grays > 1 ? bm.num_grays - 1 : 255;
      for (int32_t x = 0; x < out.width; ++x) dst[x] = grays == 255 ? row[x] : uint8_t(row[x] * 255 / grays);
    }
  }
}

}  // namespace

// One way of producing metrics and glyphs; a realised font owns exactly one.
class GlyphSource {
public:
  virtual ~GlyphSource() = default;
  virtual bool Init(const FontRequest& req, FontMetrics& metrics) = 0;
  virtual void Render(char32_t cp, bool mono, double cosA, double sinA, bool rotated, Glyph& out) = 0;
};

namespace {

class FreeTypeSource : public GlyphSource {
public:
  FreeTypeSource(std::shared_ptr<Library> lib, ResolvedFace face) : lib_(std::move(lib)), resolved_(std::move(face)) {}
  ~FreeTypeSource() override {
    fallback_.reset();
    if (face_) {
      std::lock_guard lock(lib_->mutex);
      FT_Done_Face(face_);
    }
  }

  bool Init(const FontRequest& req, FontMetrics& m) override {
    if (!lib_->ft || resolved_.file.empty()) return false;
    {
      std::lock_guard lock(lib_->mutex);
      if (FT_New_Face(lib_->ft, resolved_.file.c_str(), resolved_.index, &face_) != 0) {
        face_ = nullptr;
        return false;
      }
    }
    const double upm = face_->units_per_EM ? face_->units_per_EM : 2048;
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    const TT_HoriHeader* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face_, FT_SFNT_HHEA));
    double winA = os2 ? os2->usWinAscent : face_->ascender;
    double winD = os2 ? os2->usWinDescent : -face_->descender;
    if (winA + winD <= 0) {
      winA = face_->bbox.yMax;
      winD = -face_->bbox.yMin;
    }
    if (winA + winD <= 0) {
      winA = upm * 0.8;
      winD = upm * 0.2;
    }

    double emExact = 0;
    int32_t height = req.height;
    if (height == 0) height = kDefaultCellHeight;
    if (height < 0) {
      const int32_t em = std::clamp(-height, 1, kMaxEm);
      emExact = em;
      const double scale = em / upm;
      m.em = em;
      m.ascent = int32_t(std::lround(winA * scale));
      m.descent = int32_t(std::lround(winD * scale));
      if (m.ascent + m.descent < em) m.ascent = em - m.descent;
    } else {
      const int32_t cell = std::min(height, int32_t(kMaxEm * 2));
      const double scale = cell / (winA + winD);
      emExact = std::max(1.0, upm * scale);
      m.em = std::max(1, int32_t(std::lround(emExact)));
      m.ascent = int32_t(std::lround(winA * scale));
      m.descent = cell - m.ascent;
      if (m.em > cell) m.em = cell;
    }
    m.height = m.ascent + m.descent;
    m.internalLeading = m.height - m.em;
    const double scale = emExact / upm;
    if (hhea) {
      const double lineGap = double(hhea->Ascender) - double(hhea->Descender) + hhea->Line_Gap - (winA + winD);
      m.externalLeading = std::max(0, int32_t(std::lround(lineGap * scale)));
    }

    double xScale = scale;
    const double naturalAvg = (os2 && os2->xAvgCharWidth > 0 ? os2->xAvgCharWidth : upm * 0.5) * scale;
    if (req.width > 0 && naturalAvg > 0) xScale = scale * (req.width / naturalAvg);
    FT_Set_Char_Size(face_, FT_F26Dot6(std::lround(emExact * (xScale / scale) * 64)), FT_F26Dot6(std::lround(emExact * 64)),
                     72, 72);

    m.aveCharWidth = req.width > 0 ? req.width : std::max(1, int32_t(std::lround(naturalAvg)));
    m.maxCharWidth = std::max(m.aveCharWidth, int32_t(std::lround(face_->max_advance_width * xScale)));
    m.fixedPitch = FT_IS_FIXED_WIDTH(face_);
    m.weight = req.weight ? req.weight : 400;
    m.italic = req.italic;
    m.familyName = resolved_.family;

    const int32_t ulThick = std::max(1, int32_t(std::lround(face_->underline_thickness * scale)));
    int32_t ulPos = int32_t(std::lround(-face_->underline_position * scale));
    ulPos = std::clamp(ulPos, 1, std::max(1, m.descent - ulThick));
    m.underlinePosition = ulPos;
    m.underlineThickness = ulThick;
    if (os2 && os2->yStrikeoutSize > 0) {
      m.strikeoutThickness = std::max(1, int32_t(std::lround(os2->yStrikeoutSize * scale)));
      m.strikeoutPosition = std::max(1, int32_t(std::lround(os2->yStrikeoutPosition * scale)));
    } else {
      m.strikeoutThickness = ulThick;
      m.strikeoutPosition = std::max(1, m.ascent / 3);
    }

    const int32_t reqWeight = req.weight ? req.weight : 400;
    if (reqWeight >= 600 && resolved_.weight < 600) embolden_ = std::max<FT_Pos>(16, FT_Pos(emExact * 64 / 24));
    oblique_ = req.italic && !resolved_.italic;
    em_ = emExact;
    return true;
  }

  void Render(char32_t cp, bool mono, double cosA, double sinA, bool rotated, Glyph& out) override {
    if (!face_ || cp < 0x20 || cp == 0x7F) return;  // control characters take no room
    FT_UInt index = FT_Get_Char_Index(face_, cp);
    if (index == 0 && UseFallback()) {
      fallback_->Render(cp, mono, cosA, sinA, rotated, out);
      if (out.advance > 0 || !out.image.Empty()) return;
    }
    const FT_Int32 flags = FT_LOAD_NO_BITMAP | (mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_LIGHT);
    if (FT_Load_Glyph(face_, index, flags) != 0) return;
    FT_GlyphSlot slot = face_->glyph;
    FT_Pos advance = slot->advance.x;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
      FT_Outline* outline = &slot->outline;
      if (embolden_) {
        FT_Outline_EmboldenXY(outline, embolden_, embolden_ / 2);
        advance += embolden_;
      }
      if (oblique_) {
        FT_Matrix shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees
        FT_Outline_Transform(outline, &shear);
      }
      FT_BBox cbox;
      FT_Outline_Get_CBox(outline, &cbox);
      out.abcA = int32_t(std::floor(cbox.xMin / 64.0));
      out.abcB = std::max(0, int32_t(std::ceil(cbox.xMax / 64.0)) - out.abcA);
      if (rotated) {
        FT_Matrix rot{FT_Fixed(std::lround(cosA * 65536)), FT_Fixed(std::lround(-sinA * 65536)),
                      FT_Fixed(std::lround(sinA * 65536)), FT_Fixed(std::lround(cosA * 65536))};
        FT_Outline_Transform(outline, &rot);
      }
      if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) == 0) {
        CoverageFromBitmap(slot->bitmap, out.image);
        out.image.left = slot->bitmap_left;
        out.image.top = -slot->bitmap_top;
      }
    }
    out.advance = int32_t((advance + 32) >> 6);
    if (cp == 0x20 || cp == 0xA0) out.abcB = 0;
  }

private:
  bool UseFallback() {
    if (fallbackTried_) return fallback_ != nullptr;
    fallbackTried_ = true;
    if (Lower(resolved_.family) == Lower(kSecondSans)) return false;
    ResolvedFace f = TheEngine().Resolve(kSecondSans, resolved_.weight, resolved_.italic);
    if (!f.ok) return false;
    auto src = std::make_unique<FreeTypeSource>(lib_, f);
    src->fallbackTried_ = true;  // no chains
    FontRequest req;
    req.height = -std::max(1, int32_t(std::lround(em_)));
    FontMetrics ignored;
    if (!src->Init(req, ignored)) return false;
    fallback_ = std::move(src);
    return true;
  }

  std::shared_ptr<Library> lib_;
  ResolvedFace resolved_;
  FT_Face face_ = nullptr;
  double em_ = 0;
  FT_Pos embolden_ = 0;
  bool oblique_ = false;
  bool fallbackTried_ = false;
  std::unique_ptr<FreeTypeSource> fallback_;
};

// The symbol font of the classic controls, served from the vector table in
// fontmarlett.cpp: every glyph is an em-wide square standing on the baseline.
class MarlettSource : public GlyphSource {
public:
  bool Init(const FontRequest& req, FontMetrics& m) override {
    int32_t em = req.height == 0 ? kDefaultCellHeight : std::abs(req.height);
    em = std::clamp(em, 1, kMaxEm);
    em_ = em;
    m.em = em;
    m.ascent = em;
    m.descent = 0;
    m.height = em;
    m.internalLeading = 0;
    m.externalLeading = 0;
    m.aveCharWidth = em;
    m.maxCharWidth = em;
    m.fixedPitch = true;
    m.symbol = true;
    m.weight = req.weight ? req.weight : 400;
    m.familyName = "Marlett";
    m.underlinePosition = 0;
    m.underlineThickness = std::max(1, em / 13);
    m.strikeoutPosition = em / 2;
    m.strikeoutThickness = m.underlineThickness;
    m.firstChar = 0x20;
    m.lastChar = 0xFF;
    return true;
  }

  void Render(char32_t cp, bool mono, double cosA, double sinA, bool rotated, Glyph& out) override {
    out.advance = em_;
    out.abcA = 0;
    out.abcB = em_;
    std::vector<std::vector<PointF>> contours;
    bool evenOdd = false;
    if (!MarlettGlyphContours(cp, em_, contours, evenOdd)) {
      out.abcB = 0;
      return;
    }
    // Move to glyph-origin coordinates (baseline at the em box's bottom), then rotate.
    for (auto& c : contours)
      for (auto& p : c) {
        const double x = p.x;
        const double y = p.y - em_;
        if (rotated) {
          // Text space (x, y down) onto the device: baseline direction (cos, -sin).
          p.x = x * cosA + y * sinA;
          p.y = -x * sinA + y * cosA;
        } else {
          p.x = x;
          p.y = y;
        }
      }
    out.image = RasterizePolygons(contours, evenOdd, !mono);
  }

private:
  int32_t em_ = 0;
};

std::string RequestKey(const FontRequest& r) {
  std::string k = Lower(r.faceName);
  k += '\n';
  for (int32_t v : {r.height, r.width, r.escapement % 3600, r.weight, int32_t(r.italic), int32_t(r.charSet),
                    int32_t(r.quality == kNonAntialiasedQuality), int32_t(r.underline), int32_t(r.strikeOut)}) {
    k += std::to_string(v);
    k += ',';
  }
  return k;
}

}  // namespace

RealizedFont::RealizedFont(std::unique_ptr<GlyphSource> source) : source_(std::move(source)) {}
RealizedFont::~RealizedFont() = default;

const Glyph& RealizedFont::GetGlyph(char32_t cp) {
  std::lock_guard lock(mutex_);
  auto it = glyphs_.find(cp);
  if (it != glyphs_.end()) return it->second;
  Glyph g;
  source_->Render(cp, monochrome_, cos_, sin_, escapement_ != 0, g);
  return glyphs_.emplace(cp, std::move(g)).first->second;
}

bool IsMarlett(std::string_view faceName) { return Lower(faceName) == "marlett"; }

std::string MapFaceName(std::string_view faceName) {
  if (IsMarlett(faceName)) return "Marlett";
  const std::string lower = Lower(faceName);
  for (const FaceAlias& a : kAliases)
    if (lower == a.name) return a.family;
  if (!faceName.empty() && TheEngine().FamilyInstalled(std::string(faceName))) return std::string(faceName);
  return kDefaultSans;
}

std::shared_ptr<RealizedFont> Realize(const FontRequest& request) {
  Engine& engine = TheEngine();
  const std::string key = RequestKey(request);
  {
    std::lock_guard lock(engine.cacheMutex);
    auto it = engine.live_.find(key);
    if (it != engine.live_.end())
      if (auto font = it->second.lock()) return font;
  }

  FontRequest req = request;
  req.escapement %= 3600;
  if (req.escapement < 0) req.escapement += 3600;
  std::unique_ptr<GlyphSource> source;
  FontMetrics metrics;
  if (IsMarlett(req.faceName)) {
    source = std::make_unique<MarlettSource>();
    source->Init(req, metrics);
  } else {
    const int32_t weight = req.weight ? req.weight : 400;
    ResolvedFace face = engine.Resolve(MapFaceName(req.faceName), weight, req.italic);
    auto ft = std::make_unique<FreeTypeSource>(engine.Lib(), face);
    if (ft->Init(req, metrics)) {
      source = std::move(ft);
    } else {
      // No usable face at all: fall back to the vector table so text calls still measure.
      source = std::make_unique<MarlettSource>();
      source->Init(req, metrics);
    }
  }
  metrics.faceName = request.faceName;

  auto font = std::shared_ptr<RealizedFont>(new RealizedFont(std::move(source)));
  font->request_ = request;
  font->metrics_ = metrics;
  font->monochrome_ = req.quality == kNonAntialiasedQuality;
  font->escapement_ = req.escapement;
  const double angle = req.escapement * M_PI / 1800.0;
  // Exact values for the right angles so vertical text lands on whole pixels.
  switch (req.escapement) {
    case 0: font->cos_ = 1; font->sin_ = 0; break;
    case 900: font->cos_ = 0; font->sin_ = 1; break;
    case 1800: font->cos_ = -1; font->sin_ = 0; break;
    case 2700: font->cos_ = 0; font->sin_ = -1; break;
    default: font->cos_ = std::cos(angle); font->sin_ = std::sin(angle); break;
  }

  std::lock_guard lock(engine.cacheMutex);
  if (auto it = engine.live_.find(key); it != engine.live_.end())
    if (auto existing = it->second.lock()) return existing;
  engine.live_[key] = font;
  engine.recent_.push_back(font);
  constexpr size_t kRecent = 48;
  while (engine.recent_.size() > kRecent) engine.recent_.pop_front();
  // Forget entries whose fonts died, so the map does not grow without bound.
  if (engine.live_.size() > 4 * kRecent)
    for (auto it = engine.live_.begin(); it != engine.live_.end();)
      it = it->second.expired() ? engine.live_.erase(it) : std::next(it);
  return font;
}

Coverage RasterizePolygons(const std::vector<std::vector<PointF>>& contours, bool evenOdd, bool antialias) {
  Coverage out;
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  size_t points = 0;
  for (const auto& c : contours) {
    if (c.size() < 3) continue;
    points += c.size();
    for (const PointF& p : c) {
      minX = std::min(minX, p.x);
      minY = std::min(minY, p.y);
      maxX = std::max(maxX, p.x);
      maxY = std::max(maxY, p.y);
    }
  }
  if (points == 0 || points > 30000) return out;
  constexpr double kLimit = 16384;  // keeps 26.6 coordinates and the mask size sane
  if (minX < -kLimit || minY < -kLimit || maxX > kLimit || maxY > kLimit) return out;
  const int32_t left = int32_t(std::floor(minX));
  const int32_t top = int32_t(std::floor(minY));
  const int32_t right = int32_t(std::ceil(maxX));
  const int32_t bottom = int32_t(std::ceil(maxY));
  const int32_t w = right - left;
  const int32_t h = bottom - top;
  if (w <= 0 || h <= 0) return out;

  std::vector<FT_Vector> pts;
  std::vector<char> tags;
  std::vector<short> ends;
  pts.reserve(points);
  for (const auto& c : contours) {
    if (c.size() < 3) continue;
    for (const PointF& p : c) {
      pts.push_back({FT_Pos(std::lround((p.x - left) * 64)), FT_Pos(std::lround((bottom - p.y) * 64))});
      tags.push_back(FT_CURVE_TAG_ON);
    }
    ends.push_back(short(pts.size() - 1));
  }
  FT_Outline outline{};
  outline.n_contours = short(ends.size());
  outline.n_points = short(pts.size());
  outline.points = pts.data();
  outline.tags = tags.data();
  outline.contours = ends.data();
  outline.flags = evenOdd ? FT_OUTLINE_EVEN_ODD_FILL : FT_OUTLINE_NONE;

  FT_Bitmap bm;
  FT_Bitmap_Init(&bm);
  bm.rows = unsigned(h);
  bm.width = unsigned(w);
  bm.pitch = antialias ? w : ((w + 31) / 32) * 4;
  bm.pixel_mode = antialias ? FT_PIXEL_MODE_GRAY : FT_PIXEL_MODE_MONO;
  bm.num_grays = antialias ? 256 : 2;
  std::vector<unsigned char> buffer(size_t(bm.pitch) * size_t(h), 0);
  bm.buffer = buffer.data();
  auto lib = SharedLibrary();
  {
    std::lock_guard lock(lib->mutex);
    if (!lib->ft || FT_Outline_Get_Bitmap(lib->ft, &outline, &bm) != 0) return out;
  }
  CoverageFromBitmap(bm, out);
  out.left = left;
  out.top = top;
  return out;
}

}  // namespace win::fontengine
