// Where a figure line may break: between payments, or between the myriad groups of a figure too
// wide for the screen; never inside a number, a word, or between a payment's label and figure.
// Shared by the page and by the build step that writes the opening report into it.
export function figurePieces(text) {
  return text ? text.split(/(?<=[　／])|(?<=\d[^\d\s　／]{1,3})(?=\d)/u) : [];
}
