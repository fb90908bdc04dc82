#include "files/project_document.h"

#include <cmath>
#include <cstddef>
#include <nlohmann/json.hpp>
#include <optional>
#include <utility>
#include <vector>

#include "data/data_archive.h"

namespace files {
namespace {

using Json = chart::ProjectJson;
using chart::ProjectError;

constexpr std::size_t kMaxDepth = 16;
// An object of a project file has at most a dozen members, an entry's inputs a handful.
constexpr std::size_t kMaxMembers = 64;

// Builds the document from the parser's events and ends the parse at the first value nested
// deeper than kMaxDepth, the first number that overflows to an infinity, the first name given
// twice in one object, an object of more than kMaxMembers members, an array of more than
// kProjectMaxEntries items or more than kProjectMaxValues values, so a hostile file costs no
// more than its bytes. (The parser's own callback form rescans an array at the end of each of
// its objects: quadratic in the entries.)
class BoundedDocument {
  public:
    std::optional<ProjectError> error;
    Json document;

    bool null() { return put(nullptr); }
    bool boolean(bool v) { return put(v); }
    bool number_integer(Json::number_integer_t v) { return put(v); }
    bool number_unsigned(Json::number_unsigned_t v) { return put(v); }
    bool number_float(Json::number_float_t v, const Json::string_t& /*text*/) {
        return std::isfinite(v) ? put(v) : stop(ProjectError::NotJson);
    }
    bool string(Json::string_t& v) { return put(std::move(v)); }
    bool binary(Json::binary_t& /*bytes*/) { return stop(ProjectError::NotJson); }
    bool start_object(std::size_t /*size*/) { return enter(Json::object()); }
    bool start_array(std::size_t /*size*/) { return enter(Json::array()); }
    bool end_object() { return leave(); }
    bool end_array() { return leave(); }
    bool key(Json::string_t& name) {
        std::vector<std::string>& names = open_.back().names;
        if (names.size() >= kMaxMembers) {
            return stop(ProjectError::TooLarge);
        }
        for (const std::string& seen : names) {
            if (seen == name) {
                return stop(ProjectError::NotJson);
            }
        }
        names.push_back(name);
        key_ = std::move(name);
        return true;
    }
    bool parse_error(std::size_t /*at*/, const std::string& /*token*/,
                     const Json::exception& /*why*/) {
        return stop(ProjectError::NotJson);
    }

  private:
    // An open object or array: where it stands in the document, and the names it has (objects).
    // It stays where it is while open, since only it grows.
    struct Open {
        Json* container;
        std::vector<std::string> names;
    };

    bool stop(ProjectError why) {
        error = why;
        return false;
    }

    // Places `v` in the innermost open container (or as the document); nullptr when refused.
    Json* place(Json&& v) {
        if (++kept_ > chart::kProjectMaxValues) {
            stop(ProjectError::TooLarge);
            return nullptr;
        }
        if (open_.empty()) {
            document = std::move(v);
            return &document;
        }
        if (open_.size() > kMaxDepth) {
            stop(ProjectError::NotJson);
            return nullptr;
        }
        Json& container = *open_.back().container;
        if (container.is_object()) {
            return &(container[key_] = std::move(v));
        }
        if (container.size() >= chart::kProjectMaxEntries) {
            stop(ProjectError::TooLarge);
            return nullptr;
        }
        container.push_back(std::move(v));
        return &container.back();
    }
    bool put(Json&& v) { return place(std::move(v)) != nullptr; }
    bool enter(Json&& container) {
        Json* at = place(std::move(container));
        if (at != nullptr) {
            open_.push_back({at, {}});
        }
        return at != nullptr;
    }
    bool leave() {
        open_.pop_back();
        return true;
    }

    std::vector<Open> open_;
    std::string key_;
    std::size_t kept_ = 0;
};

std::unexpected<chart::ProjectFailure> fail(ProjectError why) {
    return std::unexpected(chart::ProjectFailure{why, {}});
}

}  // namespace

std::expected<ProjectContents, chart::ProjectFailure> readProject(std::string_view bytes) {
    if (bytes.size() > chart::kProjectWithDataMaxBytes) {
        return fail(ProjectError::TooLarge);
    }
    BoundedDocument parsed;
    if (!Json::sax_parse(bytes.begin(), bytes.end(), &parsed) || parsed.error) {
        return fail(parsed.error.value_or(ProjectError::NotJson));
    }
    auto work = chart::workFromDocument(parsed.document);
    if (!work) {
        return std::unexpected(std::move(work.error()));
    }
    auto part = data::dataPartFromDocument(parsed.document);
    if (!part) {
        return std::unexpected(std::move(part.error()));
    }
    // Only the rows of data sets make a file larger than the work's bound.
    if (bytes.size() > chart::kProjectMaxBytes && part->layers.empty()) {
        return fail(ProjectError::TooLarge);
    }
    return ProjectContents{std::move(*work), std::move(*part)};
}

bool writeProject(const chart::MarkedWork& work, const data::DataPart& data,
                  const std::function<bool(std::string_view)>& put) {
    // The work's members dumped as one object indented by two (texts are the program's own
    // UTF-8; a broken byte would be replaced, never thrown over), left open for the data's
    // members after them.
    const std::string members =
        chart::workMembers(work).dump(2, ' ', false, chart::ProjectJson::error_handler_t::replace);
    const std::string_view open = std::string_view(members).substr(0, members.size() - 2);
    if (!put(open)) {
        return false;
    }
    if (!data.empty() && (!put(",\n") || !data::writeDataMembers(data, put))) {
        return false;
    }
    return put("\n}\n");
}

std::string projectText(const chart::MarkedWork& work, const data::DataPart& data) {
    std::string text;
    (void)writeProject(work, data, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    return text;
}

}  // namespace files
