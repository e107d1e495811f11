// Node kinds and change kinds of the XML node layer.
#pragma once

// The DOM's node type numbers 0..12.
enum class TNodeType {
    ntReserved,
    ntElement,
    ntAttribute,
    ntText,
    ntCData,
    ntEntityRef,
    ntEntity,
    ntProcessingInstr,
    ntComment,
    ntDocument,
    ntDocType,
    ntDocFragment,
    ntNotation
};

// What a change notification reports.
enum class TNodeChange {
    ncUpdateValue,
    ncInsertChild,
    ncRemoveChild,
    ncAddAttribute,
    ncRemoveAttribute
};
