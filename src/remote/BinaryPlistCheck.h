#pragma once

#include <QByteArrayView>

// The shape of a binary property list ("bplist00"), checked without
// recursion before any parser sees it: a parser that follows references
// recursively overflows its stack on deep nesting and loops or multiplies
// nodes on cycles and shared references.
namespace BinaryPlistCheck {

// True when the trailer and offset table lie inside `bytes`, every object
// lies between the header and the offset table and is of a kind the reader
// takes (booleans, integers, reals, dates, data, strings, UIDs, arrays and
// dictionaries with text keys), every reference names an object, the root
// is a dictionary, no container lies deeper than `maxDepth` below it (so no
// cycle), and the tree it spells, shared references counted each time, has
// no more nodes than `bytes` has bytes.
bool isSound(QByteArrayView bytes, int maxDepth);

}  // namespace BinaryPlistCheck
