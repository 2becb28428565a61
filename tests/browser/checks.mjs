// Named checks for the browser tests: each runs, says "ok" or "FAILED" and why, and the
// program's status says whether all passed.
const results = [];

export async function check(name, body) {
  try {
    await body();
    results.push(true);
    console.log(`ok      ${name}`);
  } catch (error) {
    results.push(false);
    console.log(`FAILED  ${name}: ${error.message}`);
  }
}

export function expect(condition, message) {
  if (!condition) throw new Error(message);
}

// Says how many checks passed in `what`, and ends with status 0 only if all did.
export function finish(what) {
  const failed = results.filter((r) => !r).length;
  console.log(`${what}: ${results.length - failed} of ${results.length} checks pass`);
  process.exit(failed === 0 ? 0 : 1);
}
