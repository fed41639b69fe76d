#pragma once
// Layouts: everything a class needs to be read from and written to a layout.
//   StreamingLexer / StreamingParser  text <-> tree
//   StreamingProperties              published-property tables, handler tables
//   StreamingRegistry                class names -> factories and tables
//   StreamingFiler                   TFiler, the DefineProperties hook's view
//   StreamingReader / StreamingWriter tree <-> live components
// The file format is described in docs/LAYOUTS.md.

#include "framework/streaming/StreamingFiler.h"
#include "framework/streaming/StreamingLexer.h"
#include "framework/streaming/StreamingParser.h"
#include "framework/streaming/StreamingProperties.h"
#include "framework/streaming/StreamingReader.h"
#include "framework/streaming/StreamingRegistry.h"
#include "framework/streaming/StreamingWriter.h"
