// Placeholder until the form-style controls land.
namespace calvetta {}
