#pragma once
// What a branch may buy, as SQL conditions over a product row aliased P and
// the branch bound as :P_CDFILIAL. The product check and the product lookup
// share these texts, so a product the lookup offers is one the check accepts.
//
//   - a product, not a tree level: no other code continues P's tree code;
//   - the branch exists;
//   - not inactive in the branch (PRODFILI.IDPRODATIV "I");
//   - in the branch's mix: stocked there (ESTOQUE, the product itself or the
//     stock product it converts into) or registered there and not inactive
//     (PRODFILI). Applies only where the branch parameter IDBLPRCOMEST is "S";
//   - not under a tree level excluded for the branch (PRODNCMP) unless the
//     branch buys a deeper level of that branch of the tree explicitly
//     (PRODCMPFILI). The screens check this themselves (and skip it during a
//     total receipt), so only the lookup applies it.
#include <QtCore/QString>

namespace platform::library::rules {

QString isProduct();
QString branchExists();
QString notInactive();
QString inMix();
QString notExcluded();

// IDBLPRCOMEST "S": the branch buys only products of its mix.
bool mixOnly(const QString& idBlPrComEst);

}  // namespace platform::library::rules
