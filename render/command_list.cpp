#include "render/command_list.h"

#include <charconv>

#include "render/pictures.h"

namespace vorlisk {

DrawCommand CommandList::shape(DrawCommand::Kind kind, int a, int b, int c, int d) const {
    DrawCommand k;
    k.kind = kind;
    k.points = {{a, b}, {c, d}};
    k.pen = pen_color_;
    k.width = pen_width_;
    return k;
}

void CommandList::line(int x1, int y1, int x2, int y2) { commands_.push_back(shape(DrawCommand::Kind::line, x1, y1, x2, y2)); }

void CommandList::polyline(std::span<const Point> points) {
    DrawCommand k;
    k.kind = DrawCommand::Kind::polyline;
    k.points.assign(points.begin(), points.end());
    k.pen = pen_color_;
    k.width = pen_width_;
    commands_.push_back(std::move(k));
}

void CommandList::rectangle(int left, int top, int right, int bottom) {
    DrawCommand k = shape(DrawCommand::Kind::rect, left, top, right, bottom);
    if (brush_solid_) k.brush = brush_color_;
    commands_.push_back(std::move(k));
}

void CommandList::ellipse(int left, int top, int right, int bottom) {
    DrawCommand k = shape(DrawCommand::Kind::ellipse, left, top, right, bottom);
    if (brush_solid_) k.brush = brush_color_;
    commands_.push_back(std::move(k));
}

void CommandList::pixel(int x, int y, int32_t color) {
    DrawCommand k;
    k.kind = DrawCommand::Kind::pixel;
    k.points = {{x, y}};
    k.pen = color;
    commands_.push_back(std::move(k));
}

void CommandList::add_text(DrawCommand::Kind kind, int x, int y, std::string_view utf8) {
    if (utf8.empty()) return;  // as every surface: nothing painted
    DrawCommand k;
    k.kind = kind;
    k.points = {{x, y}};
    k.font = font_;
    k.text = std::string(utf8);
    const TextBox box = measure(font_, utf8);
    k.text_width = box.width;
    k.text_height = box.height;
    commands_.push_back(std::move(k));
}

void CommandList::text(int x, int y, std::string_view utf8) { add_text(DrawCommand::Kind::text, x, y, utf8); }
void CommandList::text_up(int x, int y, std::string_view utf8) { add_text(DrawCommand::Kind::text_up, x, y, utf8); }

void CommandList::picture(int x, int y, const PixelPicture& picture, int32_t transparent) {
    if (picture.empty()) return;
    DrawCommand k;
    k.kind = DrawCommand::Kind::picture;
    k.points = {{x, y}};
    k.picture = picture.id;
    k.pen = transparent;
    commands_.push_back(std::move(k));
}

void CommandList::set_clip(std::span<const Rect> area) {
    DrawCommand k;
    k.kind = DrawCommand::Kind::clip;
    k.clip.assign(area.begin(), area.end());
    commands_.push_back(std::move(k));
}

// --- the text form ---------------------------------------------------------

namespace {

constexpr const char* kNames[] = {"line", "polyline", "rect", "ellipse", "pixel", "text", "text_up", "picture", "clip"};

std::string colour(int32_t bgr) {
    static constexpr char kHex[] = "0123456789abcdef";
    const uint32_t c = uint32_t(bgr);
    const unsigned rgb[3] = {c & 0xffu, (c >> 8) & 0xffu, (c >> 16) & 0xffu};
    std::string s = "#";
    for (unsigned v : rgb) s += kHex[v >> 4], s += kHex[v & 15];
    return s;
}

std::string quoted(std::string_view s) {
    std::string q = "\"";
    for (char ch : s) {
        if (ch == '"' || ch == '\\') q += '\\', q += ch;
        else if (ch == '\n') q += "\\n";
        else if (ch == '\r') q += "\\r";
        else q += ch;
    }
    return q + '"';
}

void add(std::string& s, int v) {
    s += ' ';
    s += std::to_string(v);
}

// Reads a line's words: numbers, colours, names and quoted strings.
class Words {
public:
    explicit Words(std::string_view s) : s_(s) {}
    bool word(std::string_view& w) {
        skip();
        if (at_ >= s_.size() || s_[at_] == '"') return false;
        const size_t start = at_;
        while (at_ < s_.size() && s_[at_] != ' ') ++at_;
        w = s_.substr(start, at_ - start);
        return true;
    }
    bool number(int& v) {
        std::string_view w;
        if (!word(w)) return false;
        const auto [end, ec] = std::from_chars(w.data(), w.data() + w.size(), v);
        return ec == std::errc() && end == w.data() + w.size();
    }
    bool colour(int32_t& bgr) {
        std::string_view w;
        if (!word(w) || w.size() != 7 || w[0] != '#') return false;
        uint32_t rgb = 0;
        const auto [end, ec] = std::from_chars(w.data() + 1, w.data() + 7, rgb, 16);
        if (ec != std::errc() || end != w.data() + 7) return false;
        bgr = int32_t(((rgb >> 16) & 0xffu) | (rgb & 0xff00u) | ((rgb & 0xffu) << 16));
        return true;
    }
    bool quoted(std::string& out) {
        skip();
        if (at_ >= s_.size() || s_[at_] != '"') return false;
        ++at_;
        out.clear();
        while (at_ < s_.size() && s_[at_] != '"') {
            char ch = s_[at_++];
            if (ch == '\\') {
                if (at_ >= s_.size()) return false;
                const char e = s_[at_++];
                ch = e == 'n' ? '\n' : e == 'r' ? '\r' : e;
                if (e != 'n' && e != 'r' && e != '"' && e != '\\') return false;
            }
            out += ch;
        }
        if (at_ >= s_.size()) return false;
        ++at_;
        return true;
    }
    bool done() {
        skip();
        return at_ == s_.size();
    }

private:
    void skip() {
        while (at_ < s_.size() && s_[at_] == ' ') ++at_;
    }
    std::string_view s_;
    size_t at_ = 0;
};

}  // namespace

std::string to_line(const DrawCommand& k) {
    using K = DrawCommand::Kind;
    std::string s = kNames[int(k.kind)];
    auto point = [&](size_t i) {
        const Point p = i < k.points.size() ? k.points[i] : Point();
        add(s, p.x()), add(s, p.y());
    };
    switch (k.kind) {
        case K::line:
            point(0), point(1);
            s += ' ' + colour(k.pen);
            add(s, k.width);
            break;
        case K::polyline:
            s += ' ' + colour(k.pen);
            add(s, k.width);
            add(s, int(k.points.size()));
            for (size_t i = 0; i < k.points.size(); ++i) point(i);
            break;
        case K::rect:
        case K::ellipse:
            point(0), point(1);
            s += ' ' + colour(k.pen);
            add(s, k.width);
            s += ' ' + (k.brush ? colour(*k.brush) : std::string("none"));
            break;
        case K::pixel:
            point(0);
            s += ' ' + colour(k.pen);
            break;
        case K::text:
        case K::text_up: {
            point(0);
            add(s, k.text_width), add(s, k.text_height);
            s += ' ' + colour(k.font.color);
            add(s, k.font.pixel_height);
            std::string style;
            if (k.font.bold) style += 'b';
            if (k.font.italic) style += 'i';
            if (k.font.underline) style += 'u';
            if (k.font.strike_out) style += 's';
            s += ' ' + (style.empty() ? std::string("-") : style);
            s += ' ' + quoted(k.font.name) + ' ' + quoted(k.text);
            break;
        }
        case K::picture:
            point(0);
            add(s, k.picture);
            s += ' ' + colour(k.pen);
            break;
        case K::clip:
            add(s, int(k.clip.size()));
            for (const Rect& r : k.clip) add(s, r.left()), add(s, r.top()), add(s, r.right()), add(s, r.bottom());
            break;
    }
    return s;
}

std::optional<DrawCommand> parse_line(std::string_view line) {
    using K = DrawCommand::Kind;
    Words in(line);
    std::string_view name;
    if (!in.word(name)) return std::nullopt;
    DrawCommand k;
    int kind = 0;
    while (kind < 9 && name != kNames[kind]) ++kind;
    if (kind == 9) return std::nullopt;
    k.kind = K(kind);
    auto points = [&](int n) {
        for (int i = 0; i < n; ++i) {
            int x = 0, y = 0;
            if (!in.number(x) || !in.number(y)) return false;
            k.points.emplace_back(x, y);
        }
        return true;
    };
    bool ok = true;
    switch (k.kind) {
        case K::line: ok = points(2) && in.colour(k.pen) && in.number(k.width); break;
        case K::polyline: {
            int n = 0;
            ok = in.colour(k.pen) && in.number(k.width) && in.number(n) && n >= 0 && n <= 100000 && points(n);
            break;
        }
        case K::rect:
        case K::ellipse: {
            ok = points(2) && in.colour(k.pen) && in.number(k.width);
            std::string_view w;
            if (ok && in.word(w) && w == "none") break;
            int32_t b = 0;
            ok = ok && Words(w).colour(b);
            k.brush = b;
            break;
        }
        case K::pixel: ok = points(1) && in.colour(k.pen); break;
        case K::text:
        case K::text_up: {
            std::string_view style;
            ok = points(1) && in.number(k.text_width) && in.number(k.text_height) && in.colour(k.font.color) &&
                 in.number(k.font.pixel_height) && in.word(style) && in.quoted(k.font.name) && in.quoted(k.text);
            if (!ok) break;
            k.font.bold = k.font.italic = k.font.underline = k.font.strike_out = false;
            if (style != "-")
                for (char ch : style) {
                    if (ch == 'b') k.font.bold = true;
                    else if (ch == 'i') k.font.italic = true;
                    else if (ch == 'u') k.font.underline = true;
                    else if (ch == 's') k.font.strike_out = true;
                    else ok = false;
                }
            break;
        }
        case K::picture: ok = points(1) && in.number(k.picture) && in.colour(k.pen); break;
        case K::clip: {
            int n = 0;
            ok = in.number(n) && n >= 0 && n <= 100000;
            for (int i = 0; ok && i < n; ++i) {
                int l = 0, t = 0, r = 0, b = 0;
                ok = in.number(l) && in.number(t) && in.number(r) && in.number(b);
                k.clip.emplace_back(Point(l, t), Point(r, b));
            }
            break;
        }
    }
    if (!ok || !in.done()) return std::nullopt;
    return k;
}

std::string to_text(const std::vector<DrawCommand>& commands) {
    std::string s;
    for (const DrawCommand& k : commands) s += to_line(k) + '\n';
    return s;
}

std::optional<std::vector<DrawCommand>> parse_text(std::string_view text) {
    std::vector<DrawCommand> out;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty()) continue;
        std::optional<DrawCommand> k = parse_line(line);
        if (!k) return std::nullopt;
        out.push_back(std::move(*k));
    }
    return out;
}

// --- replaying ---------------------------------------------------------------

void replay(const std::vector<DrawCommand>& commands, PaintSurface& cv, const Pictures& pictures) {
    using K = DrawCommand::Kind;
    auto pen = [&](const DrawCommand& k) {
        cv.set_pen(k.pen, k.width);
        if (k.brush) cv.set_brush(*k.brush);
        else cv.clear_brush();
    };
    auto at = [](const DrawCommand& k, size_t i) { return i < k.points.size() ? k.points[i] : Point(); };
    for (const DrawCommand& k : commands) {
        switch (k.kind) {
            case K::line:
                pen(k);
                cv.line(at(k, 0).x(), at(k, 0).y(), at(k, 1).x(), at(k, 1).y());
                break;
            case K::polyline:
                pen(k);
                cv.polyline(k.points);
                break;
            case K::rect:
                pen(k);
                cv.rectangle(at(k, 0).x(), at(k, 0).y(), at(k, 1).x(), at(k, 1).y());
                break;
            case K::ellipse:
                pen(k);
                cv.ellipse(at(k, 0).x(), at(k, 0).y(), at(k, 1).x(), at(k, 1).y());
                break;
            case K::pixel: cv.pixel(at(k, 0).x(), at(k, 0).y(), k.pen); break;
            case K::text:
            case K::text_up:
                cv.set_font(k.font);
                if (k.kind == K::text) cv.text(at(k, 0).x(), at(k, 0).y(), k.text);
                else cv.text_up(at(k, 0).x(), at(k, 0).y(), k.text);
                break;
            case K::picture:
                if (const PixelPicture* p = pictures.by_id(k.picture)) cv.picture(at(k, 0).x(), at(k, 0).y(), *p, k.pen);
                break;
            case K::clip: cv.set_clip(k.clip); break;
        }
    }
    cv.end();
}

}  // namespace vorlisk
