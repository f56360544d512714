#include "cli/parameter_splitting.h"

namespace plotvale::cli {

namespace {

// A piece that begins with a quote: the text up to the next quote, which
// ends the piece even when more characters follow at once.
size_t readQuotedPiece(std::string_view line, size_t pos, std::string& piece) {
    const size_t close = line.find('"', pos + 1);
    if (close == std::string_view::npos) {
        piece = std::string(line.substr(pos + 1));
        return line.size();
    }
    piece = std::string(line.substr(pos + 1, close - pos - 1));
    return close + 1;
}

// Any other piece: up to the next blank outside quotes; quotes stay in it.
size_t readPlainPiece(std::string_view line, size_t pos, std::string& piece) {
    bool quoted = false;
    size_t end = pos;
    while (end < line.size() && (quoted || line[end] != ' ')) {
        if (line[end] == '"') quoted = !quoted;
        ++end;
    }
    piece = std::string(line.substr(pos, end - pos));
    return end;
}

}  // namespace

std::vector<std::string> ParameterSplitting(std::string_view commandLine) {
    std::vector<std::string> pieces;
    size_t pos = 0;
    while (true) {
        while (pos < commandLine.size() && commandLine[pos] == ' ') ++pos;
        if (pos >= commandLine.size()) break;
        std::string piece;
        pos = commandLine[pos] == '"' ? readQuotedPiece(commandLine, pos, piece)
                                      : readPlainPiece(commandLine, pos, piece);
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

}  // namespace plotvale::cli
