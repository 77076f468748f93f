// Boards as hanabo-tool writes them (saved-game text), read and searched with
// the program's own parser and rules to choose the moves a test plays.
#pragma once

#include <cstdlib>
#include <string>

#include "rules/groups.h"
#include "storage/saved_game.h"

// The Board of a saved game's text; 0 x 0 when the text is not one.
inline Board BoardOf(const std::string& savedGame)
{
    SavedGame sheet;
    ParseSavedGame(savedGame, &sheet);
    return Board{sheet.columns, sheet.rows, sheet.tileSize, sheet.cells};
}

// The largest group, the first from the top left among equal ones; size 0
// on an empty Board.
inline BoardGroup LargestGroup(const Board& board)
{
    BoardGroup largest{-1, -1, 0};
    for (const BoardGroup& group : GroupsOf(board, GameMode::IroGame))
        if (group.size > largest.size)
            largest = group;
    return largest;
}

// The first lone tile from the top left, or column -1 when there is none.
inline BoardGroup LoneTile(const Board& board)
{
    for (const BoardGroup& group : GroupsOf(board, GameMode::IroGame))
        if (group.size == 1)
            return group;
    return BoardGroup{-1, -1, 0};
}

// "C,R", as hanabo-tool reads a move.
inline std::string MoveText(const BoardGroup& move)
{
    return std::to_string(move.column) + "," + std::to_string(move.row);
}

// N of a title "IroGame #N" (or of the first "#N" in it); 0 without one.
inline int GameNumberOfTitle(const std::string& title)
{
    const std::size_t hash = title.find('#');
    return hash == std::string::npos ? 0 : std::atoi(title.c_str() + hash + 1);
}
