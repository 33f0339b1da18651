// A short walk through the foundation every component builds on: a configuration
// tree, an MD5 digest, and a failure reported the way an application receives it.
#include <exception>
#include <iostream>
#include <string>

#include <boost/rational.hpp>

#include "Platform/Core/MD5.h"
#include "Platform/Core/Property.h"
#include "Proc/Interfaces/ProcessingError.h"
#include "Proc/Interfaces/Stub.h"

namespace {

using Tivrel::Core::Property;

// A component's configuration: a tree whose root is named after the component.
Property MakeConfiguration() {
  Property root("example");
  root.SetChildT<long long>("width", 1280);
  root.SetChildT<long long>("height", 720);
  root.SetChildT("frameRate", boost::rational<long long>(30000, 1001));
  Property margins("margins");
  margins.SetChildT<long long>("left", 16);
  margins.SetChildT<long long>("right", 16);
  root.SetChild("margins", margins);
  return root;
}

}  // namespace

int main() {
  using namespace Tivrel;

  const Property configuration = MakeConfiguration();
  std::cout << "Configuration:\n" << Core::ToString(configuration) << '\n';
  std::cout << "Frame size: " << configuration["width"].GetValue<int>() << 'x'
            << configuration["height"].GetValue<int>() << "\n\n";

  Core::MD5 digest;
  const std::string text = Core::ToString(configuration);
  digest.update(text.data(), text.size());
  digest.finalize();
  std::cout << "MD5 of the configuration text: " << digest.hexdigest() << "\n\n";

  // A missing key fails inside the property tree; the application turns the stored
  // exception into an error record, as a job's error handler does.
  try {
    configuration["bitrate"].GetInt64();
  } catch (const Exception&) {
    const Proc::ProcessingError error =
        Proc::ProcessingError::MakeProcessingErrorFromException(std::current_exception());
    std::cout << "Reading a missing key:\n" << Proc::ProcessingErrorToString(error) << '\n';
  }

  // A failure raised by an application through the library's throw helper.
  try {
    ThrowError<Proc::FilterException>("Filter was initialized with incorrect class (" + configuration.GetName() + ")!",
                                      TIVREL_THROW_SITE("int main()", __LINE__));
  } catch (const Proc::ProcException&) {
    const Proc::ProcessingError error =
        Proc::ProcessingError::MakeProcessingErrorFromException(std::current_exception());
    std::cout << "A filter given the wrong tree:\n" << Proc::ProcessingErrorToString(error);
  }
  return 0;
}
