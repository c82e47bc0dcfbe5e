// MergeHhc.h - merging the contents files of a CHM into one.
//
// A CHM may hold several contents (.hhc) files, one pulling in others through
// "merge" parameters. The engine reads each listed file on its own, so before
// loading, every file that references another listed file is replaced by a
// new file "<folder>\tomewise_<n>.hhc" in which each reference line is
// replaced by the whole referenced file. Plain text lines, no HTML.
#pragma once

#include "afx.h"
#include "afxcoll.h"

// `list` holds the full paths of the contents files; on return it holds the
// merged files (at its end) in place of every parent and child that took
// part. The merged files are written into `lpszFolder`, the extraction
// folder; the first form takes the open CHM's extraction folder.
//
// A reference line is a line whose lower-case form holds "merge", ".hhc",
// "name", "value", "=" and "param"; it references the file whose name ends
// at its first ".hhc" (after the last of = space " / \ :). The name is
// compared with the file names of the list, whole and ignoring case.
//
// Nothing is reported. A merged file that cannot be written in full stops
// the merging and leaves the list as it was before that file; each file is
// then loaded on its own. A line longer than 8191 characters is never taken
// for a reference and is copied whole. Every pass takes at least one file
// off the list, so cycles of references end.
void MergeHhcFiles(CStringList& list);
void MergeHhcFiles(CStringList& list, LPCTSTR lpszFolder);
