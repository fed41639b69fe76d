#pragma once
// Layouts: everything a class needs to be read from and written to a layout.
//   StreamingLexer / StreamingParser  text <-> tree
//   StreamingProperties              published-property tables, handler tables
//   StreamingRegistry                class names -> factories and tables
//   StreamingFiler                   TFiler, the DefineProperties hook's view
//   StreamingReader / StreamingWriter tree <-> live components
// The file format is described in docs/LAYOUTS.md.

#include "framework/StreamingFiler.h"
#include "framework/StreamingLexer.h"
#include "framework/StreamingParser.h"
#include "framework/StreamingProperties.h"
#include "framework/StreamingReader.h"
#include "framework/StreamingRegistry.h"
#include "framework/StreamingWriter.h"
