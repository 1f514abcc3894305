#!/usr/bin/env python3
"""Reads a calculation workbook back with openpyxl (a reader that shares no
code with the writer) and compares it with korva-cli's own figures.

  le_planilha.py confere PLANILHA.xlsx RESULTADO.json MESAMES.json
      every numeric cell of "Mês a Mês", every total of "Resumo", the month
      closes of "INSS" and the columns of "IR" against `resultado --json` and
      `mesames --json`; the date cells are dates; every formula's cached
      value equals the program's figure and what the formula gives over the
      rows (worked out here).
  le_planilha.py csv PREFIXO RESULTADO.json MESAMES.json
      every sheet as a spreadsheet program recalculated and saved it
      (PREFIXO-<folha>.csv): the totals are the same.

Prints one line per difference and exits 1 when there is any.
"""
import csv
import datetime
import json
import sys
from decimal import Decimal, ROUND_HALF_UP

import openpyxl

erros = []


def erro(texto):
    erros.append(texto)


def centavos(v):
    return Decimal(repr(float(v))).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP)


def mesmo_centavo(onde, obtido, esperado):
    if obtido is None or esperado is None:
        if not (obtido in (None, 0) and esperado in (None, 0)):
            erro(f"{onde}: {obtido!r} em vez de {esperado!r}")
        return
    if not isinstance(obtido, (int, float)):
        erro(f"{onde}: célula não numérica {obtido!r}")
        return
    if centavos(obtido) != centavos(esperado):
        erro(f"{onde}: {obtido!r} em vez de {esperado!r}")


def mesmo_numero(onde, obtido, esperado, tolerancia=1e-12):
    if esperado is None:
        if obtido is not None:
            erro(f"{onde}: {obtido!r} em vez de vazio")
        return
    if not isinstance(obtido, (int, float)) or abs(obtido - esperado) > tolerancia * max(1.0, abs(esperado)):
        erro(f"{onde}: {obtido!r} em vez de {esperado!r}")


def chave(doc, campo):
    v = doc
    for parte in campo.split("."):
        v = v[parte]
    return v


def arredonda4(x):
    return float(Decimal(repr(float(x))).quantize(Decimal("0.0001"), rounding=ROUND_HALF_UP))


def colunas(folha, linha):
    return {c.value: c.column for c in folha[linha] if c.value is not None}


def confere(arquivo, resultado, mesames):
    formulas = openpyxl.load_workbook(arquivo, data_only=False)
    valores = openpyxl.load_workbook(arquivo, data_only=True)
    nomes = formulas.sheetnames
    if nomes != ["Mês a Mês", "Resumo", "INSS", "IR"]:
        erro(f"folhas: {nomes}")
        return

    # ---- Mês a Mês ----
    f, v = formulas["Mês a Mês"], valores["Mês a Mês"]
    col = colunas(v, 1)
    linhas = resultado["Linhas"]
    grade = mesames["Linhas"]
    if len(linhas) != len(grade):
        erro(f"resultado com {len(linhas)} linhas, mesames com {len(grade)}")
    n = len(linhas)
    if f.freeze_panes != "A2":
        erro(f"cabeçalho não congelado: {f.freeze_panes}")
    ultima_coluna = openpyxl.utils.get_column_letter(len(col))
    if f.auto_filter.ref != f"A1:{ultima_coluna}{n + 1}":
        erro(f"filtro: {f.auto_filter.ref}")
    for c in range(1, len(col) + 1):
        largura = f.column_dimensions[openpyxl.utils.get_column_letter(c)].width
        if not largura or largura < 4:
            erro(f"coluna {c} sem largura: {largura}")

    def celula(r, nome):
        return v.cell(row=r, column=col[nome]).value

    soma_juros = 0.0
    soma_total = Decimal(0)
    principal = total_geral = fgts = juros_fgts = seguro = base_inss = 0.0
    for i, (l, g) in enumerate(zip(linhas, grade)):
        r = i + 2
        onde = f"Mês a Mês linha {r}"
        if celula(r, "Mes/Ano") != f"{l['Mes']:02d}/{l['Ano']:04d}":
            erro(f"{onde}: mês {celula(r, 'Mes/Ano')!r}")
        if celula(r, "Verba") != l["Item"] or g["Item"] != l["Item"]:
            erro(f"{onde}: verba {celula(r, 'Verba')!r} em vez de {l['Item']}")
        if not l["DescRend"].endswith(celula(r, "Descrição") or "?"):
            erro(f"{onde}: descrição {celula(r, 'Descrição')!r}")
        if (celula(r, "VFM") or "") != l["VFM"].strip() or (celula(r, "VFM") or "") != g["VFM"].strip():
            erro(f"{onde}: VFM {celula(r, 'VFM')!r}")
        mesmo_numero(f"{onde} Qtde.", celula(r, "Qtde."), l["Qtde"])
        mesmo_numero(f"{onde} Índice", celula(r, "Índice"), l["Indice"])
        mesmo_numero(f"{onde} Divisor", celula(r, "Divisor"), l["Divisor"])
        mesmo_numero(f"{onde} Base", celula(r, "Base"), l["Base"])
        mesmo_centavo(f"{onde} Valor", celula(r, "Valor"), l["Valor"])
        mesmo_centavo(f"{onde} Valor (mesames)", celula(r, "Valor"), g["Valor"])
        dt = celula(r, "Data Base")
        if g["DtBase"] is None:
            if dt is not None:
                erro(f"{onde}: data base {dt!r} em vez de vazia")
        elif not isinstance(dt, datetime.datetime) or dt.strftime("%d/%m/%Y") != l["DtBase"] or l["DtBase"] != g["DtBase"]:
            erro(f"{onde}: data base {dt!r} em vez de {l['DtBase']}")
        if celula(r, "INSS") != ("S" if l["INSS"] == "S" else "N"):
            erro(f"{onde}: INSS {celula(r, 'INSS')!r}")
        mesmo_numero(f"{onde} fator", celula(r, "Ind.Corr.Mon."), l["IndReaj"])
        mesmo_centavo(f"{onde} valor atualizado", celula(r, "Val.Atual."), l["ValorAtualizado"])
        resultado_item = g["Total"] is not None
        if resultado_item:
            mesmo_numero(f"{onde} fator da grade", celula(r, "Ind.Corr.Mon."), g["IndiceAtualizacao"], 1e-9)
            mesmo_centavo(f"{onde} juros da grade", celula(r, "Juros(%)"), g["Juros"])
            mesmo_centavo(f"{onde} total da grade", celula(r, "Val.Atual.+Juros"), g["Total"])
        mesmo_centavo(f"{onde} juros (%)", celula(r, "Juros(%)"), l["Juros"])
        mesmo_centavo(f"{onde} valor dos juros", celula(r, "Valor dos Juros"), l["ValorJuros"])
        mesmo_centavo(f"{onde} com juros", celula(r, "Val.Atual.+Juros"), l["ValorAtualizadoComJuros"])
        # What the formulas give, worked out from the cells.
        tot = celula(r, "Totaliza em")
        va = celula(r, "Val.Atual.") or 0.0
        vj = celula(r, "Valor dos Juros") or 0.0
        vt = celula(r, "Val.Atual.+Juros") or 0.0
        soma_juros += vj
        soma_total += Decimal(repr(vt))
        if tot == "Principal":
            principal += arredonda4(va)
            total_geral += vt
        elif tot == "FGTS":
            fgts += va
            juros_fgts += vj
        elif tot == "Seguro-desemprego":
            seguro += va + vj
        elif resultado_item or tot:
            erro(f"{onde}: totalização {tot!r}")
        if celula(r, "INSS") == "S":
            base_inss += arredonda4(va)

    # The total row and the totals block.
    r = n + 3
    if v.cell(row=r, column=1).value != "Total":
        erro(f"linha de total ausente na linha {r}")
    for nome, esperado in (("Valor dos Juros", soma_juros), ("Val.Atual.+Juros", float(soma_total))):
        c = col[nome]
        letra = openpyxl.utils.get_column_letter(c)
        if f.cell(row=r, column=c).value != f"=SUM({letra}2:{letra}{n + 1})":
            erro(f"total de {nome}: fórmula {f.cell(row=r, column=c).value!r}")
        mesmo_centavo(f"total de {nome}", v.cell(row=r, column=c).value, esperado)
    mesmo_centavo("total da grade", v.cell(row=r, column=col["Val.Atual.+Juros"]).value, mesames["Total"])
    calculados = {"Total": principal, "TotalGeral": total_geral, "FGTSSemJuros": fgts,
                  "JurosFGTS": juros_fgts if resultado.get("JurosFGTS") else 0.0, "FGTS": fgts + juros_fgts,
                  "SeguroDesemprego": seguro, "TotalBaseINSS": base_inss}
    if not resultado.get("JurosFGTS"):
        calculados["FGTS"] = fgts
    vistos = set()
    for r in range(n + 4, v.max_row + 1):
        campo = v.cell(row=r, column=col["Data Base"]).value
        if campo not in calculados:
            continue
        vistos.add(campo)
        formula = f.cell(row=r, column=col["Valor"]).value
        if not isinstance(formula, str) or not formula.startswith("="):
            erro(f"Mês a Mês {campo}: sem fórmula ({formula!r})")
        cache = v.cell(row=r, column=col["Valor"]).value
        mesmo_centavo(f"Mês a Mês {campo} (resultado)", cache, resultado[campo])
        mesmo_centavo(f"Mês a Mês {campo} (fórmula)", cache, calculados[campo])
    if vistos != set(calculados):
        erro(f"Mês a Mês: totais ausentes {set(calculados) - vistos}")

    # ---- Resumo ----
    v = valores["Resumo"]
    campos = 0
    for linha in v.iter_rows(min_row=1, max_row=v.max_row):
        rotulo, valor, campo = (linha + (None, None, None))[:3]
        if rotulo.value in ("Data de Gravação:", "Data de Ajuizamento:", "Valores Atualizados até:"):
            if not isinstance(valor.value, datetime.datetime):
                erro(f"Resumo {rotulo.value} não é data: {valor.value!r}")
        if campo is None or not campo.value:
            continue
        if campo.value == "Campo":
            continue
        campos += 1
        try:
            esperado = chave(resultado, campo.value)
        except KeyError:
            erro(f"Resumo: campo desconhecido {campo.value}")
            continue
        mesmo_centavo(f"Resumo {rotulo.value} ({campo.value})", valor.value, esperado)
    if campos < 15:
        erro(f"Resumo com {campos} totais")

    # ---- INSS ----
    f, v = formulas["INSS"], valores["INSS"]
    col = colunas(v, 1)
    meses = resultado["Meses"]
    for i, m in enumerate(meses):
        r = i + 2
        if v.cell(row=r, column=1).value != m["Mes"].strip():
            erro(f"INSS linha {r}: mês {v.cell(row=r, column=1).value!r} em vez de {m['Mes']}")
        if "INSS" in m:
            x = m["INSS"]
            for nome, esperado in (("Base de Cálculo do INSS", x["Base"]),
                                   ("Base de Cálculo sobre a qual já houve recolhimento", x["BaseJaRecolhida"]),
                                   ("Valor já recolhido", x["ValorJaRecolhido"]), ("Alíquota (%)", x["Aliquota"]),
                                   ("Valor a recolher", x["ValorARecolher"])):
                mesmo_centavo(f"INSS linha {r} {nome}", v.cell(row=r, column=col[nome]).value, esperado)
    r = len(meses) + 2
    if v.cell(row=r, column=1).value != "Total":
        erro(f"INSS: linha de total ausente na linha {r}")
    mesmo_centavo("INSS total da base", v.cell(row=r, column=2).value, resultado["TotalBaseINSS"])
    finais = {"* Base de Cálculo - I.N.S.S.:": "TotalBaseINSS", "TOTAL:": "Reclamado.Total",
              "TOTAL DO I.N.S.S.:": "TotalINSS"}
    vistos = 0
    for rr in range(r + 1, v.max_row + 1):
        rotulo = v.cell(row=rr, column=1).value or ""
        campo = finais.get(rotulo)
        if rotulo.startswith("Reclamante:"):
            campo = "INSSReclamante"
        elif rotulo.startswith("F.P.A.S."):
            campo = "Reclamado.FPAS"
        elif rotulo.startswith("Seguro de Acidente"):
            campo = "Reclamado.Risco"
        elif rotulo.startswith("Recolhimento de Terceiros"):
            campo = "Reclamado.Terceiros"
        if not campo:
            continue
        vistos += 1
        if not str(f.cell(row=rr, column=2).value).startswith("="):
            erro(f"INSS {rotulo} sem fórmula")
        mesmo_centavo(f"INSS {rotulo}", v.cell(row=rr, column=2).value, chave(resultado, campo))
    if vistos != 7:
        erro(f"INSS: bloco final com {vistos} linhas")

    # ---- IR ----
    v = valores["IR"]
    colunas_ir = resultado["ColunasIR"]
    if colunas_ir:
        col = colunas(v, 3)
        for i, k in enumerate(colunas_ir):
            r = i + 4
            if v.cell(row=r, column=1).value != k["Coluna"]:
                erro(f"IR linha {r}: parcela {v.cell(row=r, column=1).value!r}")
            for nome, campo in (("Base de Cálculo", "Base"), ("Contribuição INSS", "INSS"),
                                ("Base Tributável", "Tributavel"), ("Alíquota (%)", "Aliquota"),
                                ("Imposto", "Imposto"), ("Dedução", "Deducao"), ("IRRF a Deduzir", "Devido")):
                mesmo_centavo(f"IR linha {r} {nome}", v.cell(row=r, column=col[nome]).value, k[campo])
        r = len(colunas_ir) + 4
        mesmo_centavo("IR total", v.cell(row=r, column=col["IRRF a Deduzir"]).value, resultado["ValorTotalIR"])


def confere_csv(prefixo, resultado, mesames):
    """`prefixo`: the CSV files of every sheet are PREFIXO-<folha>.csv."""
    def le(folha):
        with open(f"{prefixo}-{folha}.csv", newline="", encoding="utf-8") as f:
            return list(csv.reader(f))

    def numero(texto):
        return float(texto.replace(",", ""))

    linhas = le("Mês a Mês")
    n = len(resultado["Linhas"])
    cab = linhas[0]
    total = linhas[n + 2]
    if total[0] != "Total":
        erro(f"CSV: linha de total {total[:3]}")
        return
    mesmo_centavo("CSV total da grade", numero(total[cab.index("Val.Atual.+Juros")]), mesames["Total"])
    vistos = 0
    for l in linhas[n + 3:]:
        if len(l) > cab.index("Data Base") and l[cab.index("Data Base")] in resultado and l[cab.index("Valor")]:
            vistos += 1
            campo = l[cab.index("Data Base")]
            mesmo_centavo(f"CSV {campo}", numero(l[cab.index("Valor")]), resultado[campo])
    if vistos != 7:
        erro(f"CSV: {vistos} totais do cálculo")

    vistos = 0
    for l in le("Resumo"):
        if len(l) >= 3 and l[2] and l[2] != "Campo":
            vistos += 1
            mesmo_centavo(f"CSV Resumo {l[2]}", numero(l[1]), chave(resultado, l[2]))
    if vistos < 15:
        erro(f"CSV Resumo: {vistos} totais")

    inss = {l[0]: l for l in le("INSS") if l}
    mesmo_centavo("CSV INSS total", numero(inss["Total"][1]), resultado["TotalBaseINSS"])
    mesmo_centavo("CSV INSS do reclamado", numero(inss["TOTAL:"][1]), resultado["Reclamado"]["Total"])
    mesmo_centavo("CSV TOTAL DO INSS", numero(inss["TOTAL DO I.N.S.S.:"][1]), resultado["TotalINSS"])
    if resultado["ColunasIR"]:
        ir = {l[0]: l for l in le("IR") if l}
        mesmo_centavo("CSV IR", numero(ir["Total do IRRF a deduzir do Recte.:"][-1]), resultado["ValorTotalIR"])


def main():
    modo, arquivo, res, mm = sys.argv[1:5]
    with open(res, encoding="utf-8") as f:
        resultado = json.load(f)
    with open(mm, encoding="utf-8") as f:
        mesames = json.load(f)
    (confere if modo == "confere" else confere_csv)(arquivo, resultado, mesames)
    for e in erros[:50]:
        print(e)
    if erros:
        print(f"{len(erros)} diferença(s)")
        sys.exit(1)
    print("ok")


if __name__ == "__main__":
    main()
