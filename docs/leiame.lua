-- pandoc filter for the guide's two generated forms.
--
-- A display formula is written in LEIAME.md as a span holding the TeX and a linear form for
-- plain text:  [$$ \frac{a}{b} $$]{texto="a/b"}.  The HTML keeps the TeX, which --mathml turns
-- into MathML; the plain text takes the linear form, indented, each ";;" starting a new line,
-- since pandoc's text writer would leave a fraction or a root as TeX. Inline formulas are short
-- (symbols, subscripts, powers) and are turned into Unicode text here for the plain text.
--
-- In the plain text, inline code becomes ordinary words: the writer never breaks a code span,
-- so a long one would widen its table column past the page.

local plain = FORMAT:match("plain") ~= nil

local symbols = {
  theta = "θ", varphi = "φ", Phi = "Φ", Delta = "Δ", infty = "∞", ge = "≥", le = "≤",
  cdot = "·", approx = "≈", ll = "≪", partial = "∂", times = "×", eta = "η",
  varepsilon = "ε", sum = "Σ", ln = "ln", max = "max", dots = "…", pm = "±",
}
local superscripts = {
  ["0"] = "⁰", ["1"] = "¹", ["2"] = "²", ["3"] = "³", ["4"] = "⁴", ["5"] = "⁵", ["6"] = "⁶",
  ["7"] = "⁷", ["8"] = "⁸", ["9"] = "⁹", ["-"] = "⁻",
}

local function superscript(text)
  local digits = text:gsub("[%d%-]", superscripts)
  if digits:match("^[⁰¹²³⁴⁵⁶⁷⁸⁹⁻]+$") then return digits end
  return "^(" .. text .. ")"
end

-- A short TeX formula as Unicode text: T_\infty -> T∞, q_{\mathrm{DDS1}} -> q_DDS1,
-- 10^{-12} -> 10⁻¹², \Delta x^2 -> Δx².
local function linear(tex)
  local s = tex:gsub("\\mathrm{(.-)}", "%1"):gsub("\\[,;!]", " "):gsub("{,}", ",")
  s = s:gsub("\\(%a+)", function(name) return symbols[name] or ("\\" .. name) end)
  s = s:gsub("_∞", "∞"):gsub("_{(.-)}", "_%1")
  s = s:gsub("%^{(.-)}", superscript):gsub("%^(%w)", superscript)
  s = s:gsub("Δ (%a)", "Δ%1"):gsub("%s+", " ")
  return s
end

function Span(span)
  local text = span.attributes.texto
  if not text then return nil end
  if not plain then return span.content end
  local lines = {pandoc.LineBreak()}
  for line in (text .. ";;"):gmatch(" ?(.-)%s*;;") do
    table.insert(lines, pandoc.Str("    " .. line))
    table.insert(lines, pandoc.LineBreak())
  end
  return lines
end

-- The charts are pictures in the HTML; the text names them and says where they are.
-- Text as words the writer may break lines between.
local function words(text)
  local inlines = {}
  for word in text:gmatch("%S+") do
    if #inlines > 0 then table.insert(inlines, pandoc.Space()) end
    table.insert(inlines, pandoc.Str(word))
  end
  return inlines
end

function Image(image)
  if not plain then return nil end
  return words("[Figura, no LEIAME.html: " .. pandoc.utils.stringify(image.caption) .. "]")
end

function Code(code)
  if plain then return words(code.text) end
end

function Math(math)
  if plain then return pandoc.Str(linear(math.text)) end
end

-- Spans go first, so that a display formula's TeX never reaches Math.
return {{Span = Span}, {Math = Math, Code = Code, Image = Image}}
