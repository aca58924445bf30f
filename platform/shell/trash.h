// Moving files into the Trash as the freedesktop.org Trash standard, version 1.0
// lays it out, so that desktop file managers list them and can restore them.
#pragma once

#include <string>

// Moves the file (or symbolic link) at path into a trash on its own file
// system: the home trash ($XDG_DATA_HOME/Trash) when the file lies on the same
// file system as that, else the trash of the file system's top folder
// ($topdir/.Trash/$uid when an administrator prepared $topdir/.Trash, else
// $topdir/.Trash-$uid). A name already in the trash gets a number ("a.2.jpg").
// Beside the file it writes the .trashinfo record with the original path
// (URL-encoded) and the local deletion time.
//
// Returns False, with the file left where it was, when there is no usable
// trash or the move fails: a file is never deleted instead. trashedAs
// receives the file's new full name.
bool MoveToTrash(const std::string& path, std::string* trashedAs = nullptr);
