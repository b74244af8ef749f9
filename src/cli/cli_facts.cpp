// facts FILE [PARAMETER...]: what one GRF file changes, fact by fact, with the conditions that
// guard each decided for the given parameters or left open, then its declared parameters.
#include <algorithm>
#include <cstdio>
#include <ostream>

#include "cli/cli.h"
#include "grf/fact_check.h"
#include "grf/fact_conditions.h"
#include "grf/grf_reader.h"
#include "platform/operation_error.h"

namespace kestrav {
namespace {

std::string Hex(unsigned value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02X", value);
  return text;
}

std::string IdRange(const GrfFact& fact) {
  if (fact.count <= 1) return Hex(fact.first);
  return Hex(fact.first) + "-" + Hex(fact.first + fact.count - 1);
}

// The kind, the feature and the IDs of a fact, as three fields.
std::string FactFields(const GrfFact& fact, const GrfFacts& facts) {
  const std::string feature = FeatureName(fact.feature);
  const std::string grf = "GRF ID " + GrfIdText(fact.grfId);
  const auto message = [&] {
    const std::string& text = facts.texts[fact.text];
    return text.empty() ? "" : " \"" + text + "\"";
  };
  switch (fact.kind) {
    case GrfFactKind::Properties: return "properties\t" + feature + "\t" + IdRange(fact);
    case GrfFactKind::Graphics: return "graphics\t" + feature + "\t" + IdRange(fact);
    case GrfFactKind::LiveryOverride: return "livery override\t" + feature + "\tbehind " + IdRange(fact);
    case GrfFactKind::GenericGraphics: return "generic graphics\t" + feature + "\t-";
    case GrfFactKind::Deactivates: return "deactivates\t-\t" + grf;
    case GrfFactKind::LoadBefore:
    case GrfFactKind::LoadAfter:
      return std::string(fact.kind == GrfFactKind::LoadBefore ? "must be loaded before" : "must be loaded after") +
             "\t-\t" + (fact.grfId ? grf : "a file") + message();
    case GrfFactKind::FatalError: return "fatal error\t-\tmessage " + Hex(fact.message) + message();
  }
  return "";
}

}  // namespace

int RunFactsCommand(const std::vector<std::string>& args, SystemAdapters& adapters, std::ostream& out,
                    std::ostream& err) {
  if (args.empty()) return kCliUsage;
  const GrfInfo info = AnalyzeGrf(*adapters.files, args[0]);
  if (!info.opened) {
    err << FillPattern("Cannot open file %s", args[0]) << "\n";
    return kCliFailed;
  }
  const GrfFacts& facts = info.facts;
  GrfEntryContext context;
  std::string parameters;
  for (std::size_t i = 1; i < args.size(); ++i) parameters += args[i] + " ";
  context.parameters = EntryParameterValues(parameters);
  std::vector<DecidedFact> decided;
  DecideFacts(facts, context, decided);
  auto next = decided.begin();
  for (std::uint32_t i = 0; i < facts.facts.size(); ++i) {
    std::string condition = "never, with these parameters";
    if (next != decided.end() && next->fact == i) {
      condition = next->certain ? "always" : DoubtText(next->doubt);
      ++next;
    }
    out << FactFields(facts.facts[i], facts) << '\t' << condition << '\n';
  }
  if (facts.declaredParameters) out << "parameters\t" << *facts.declaredParameters << " declared\n";
  for (const GrfParameterInfo& parameter : facts.parameters) {
    out << "parameter " << parameter.number + 1 << '\t' << parameter.name << '\t';
    if (parameter.minimum && parameter.maximum) out << *parameter.minimum << '-' << *parameter.maximum;
    out << '\t';
    if (parameter.defaultValue) out << "default " << *parameter.defaultValue;
    out << '\n';
  }
  if (facts.capped) out << "not all of the file was read: it holds more than Kestrav keeps of one file\n";
  return kCliOk;
}

}  // namespace kestrav
