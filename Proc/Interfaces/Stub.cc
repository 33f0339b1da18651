#include "Proc/Interfaces/Stub.h"

namespace Tivrel {

void RethrowException(const ExceptionPtr& p) {
  ExceptionPtr copy = p;
  std::rethrow_exception(copy);
}

namespace Proc {

const ProcException exportDummyException;
const ParserException exportDummyException0;
const DemuxerException exportDummyException1;
const StreamReaderException exportDummyException2;
const MuxerException exportDummyException3;
const DecoderException exportDummyException4;
const FilterException exportDummyException5;
const EncoderException exportDummyException6;
const ConverterException exportDummyException7;
const CodecFactoryException exportDummyException8;
const ConverterControllerException exportDummyException9;
const PlayerViewException exportDummyException10;
const SettingsException exportDummyException11;

}  // namespace Proc
}  // namespace Tivrel
