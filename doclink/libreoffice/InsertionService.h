#pragma once

// The names under which the office offers the insertion component, shared by
// the component and the link that calls it. One call of the service's
// XJob::execute makes one click; its arguments are named values.
namespace doclink::office::insertion {

inline constexpr char kServiceName[] = "org.glyphboard.Insertion";
inline constexpr char kImplementationName[] = "org.glyphboard.comp.Insertion";

inline constexpr char kText[] = "Text";               // string
inline constexpr char kFont[] = "Font";               // string
inline constexpr char kDeleteFirst[] = "DeleteFirst"; // boolean
inline constexpr char kUndoTitle[] = "UndoTitle";     // string, may be left out

} // namespace doclink::office::insertion
