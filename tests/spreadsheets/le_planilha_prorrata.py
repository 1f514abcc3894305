"""Reads a pro-rata statement workbook with openpyxl and prints, as JSON, what
the test compares with `prorrata atualizar --json`: the cached value of every
formula (with its text), every amount cell of the value column by caption, and
whether the date column holds dates."""
import datetime
import json
import sys

import openpyxl

arquivo = sys.argv[1]
formulas = openpyxl.load_workbook(arquivo)["Atualização"]
valores = openpyxl.load_workbook(arquivo, data_only=True)["Atualização"]

saida = {"formulas": [], "linhas": [], "datas_sao_datas": True}
for f, v in zip(formulas.iter_rows(), valores.iter_rows()):
    rotulo = f[0].value
    if isinstance(f[2].value, str) and f[2].value.startswith("="):
        saida["formulas"].append({"rotulo": rotulo, "formula": f[2].value, "valor": v[2].value})
    elif isinstance(f[2].value, (int, float)):
        saida["linhas"].append({"rotulo": rotulo, "valor": f[2].value, "formula": f[4].value, "somar": f[5].value})
    if f[1].value is not None and rotulo not in ("Partes:", "Obs.:", "Descrição", None) and not str(rotulo).startswith("Processo"):
        if not isinstance(f[1].value, datetime.datetime):
            saida["datas_sao_datas"] = False
json.dump(saida, sys.stdout, ensure_ascii=False)
