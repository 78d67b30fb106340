#include "catalogue_data.h"

namespace afdemo::catalogue {

const std::vector<Region>& regions() {
    static const std::vector<Region> r = {{"Sudeste"}, {"Sul"}, {"Centro-Oeste"}, {"Nordeste"}, {"Norte"}};
    return r;
}

const std::vector<CentralPlace>& centralPlaces() {
    static const std::vector<CentralPlace> c = {
        {"São Paulo", "SP", 0, "Cajamar",
         {"Paulista", "Moema", "Campinas", "Santos", "Sorocaba", "Ribeirão Preto", "Jundiaí", "Osasco", "Guarulhos",
          "São José dos Campos", "Piracicaba", "Bauru", "Franca", "Taubaté"}},
        {"Curitiba", "PR", 1, "Araucária",
         {"Batel", "Londrina", "Maringá", "Cascavel", "Ponta Grossa", "Foz do Iguaçu", "Guarapuava", "Toledo",
          "Umuarama", "Apucarana", "Paranaguá", "Campo Mourão", "Pato Branco", "Arapongas"}},
        {"Belo Horizonte", "MG", 0, "Contagem",
         {"Savassi", "Uberlândia", "Juiz de Fora", "Montes Claros", "Betim", "Ipatinga", "Divinópolis",
          "Governador Valadares", "Poços de Caldas", "Varginha", "Sete Lagoas", "Uberaba", "Patos de Minas", "Lavras"}},
        {"Porto Alegre", "RS", 1, "Canoas",
         {"Moinhos", "Caxias do Sul", "Pelotas", "Santa Maria", "Passo Fundo", "Novo Hamburgo", "Gravataí",
          "Rio Grande", "Bento Gonçalves", "Lajeado", "Erechim", "Santa Cruz do Sul", "Ijuí", "Uruguaiana"}},
        {"Goiânia", "GO", 2, "Aparecida",
         {"Setor Bueno", "Anápolis", "Rio Verde", "Catalão", "Jataí", "Itumbiara", "Luziânia", "Formosa",
          "Caldas Novas", "Trindade", "Senador Canedo", "Goianésia", "Mineiros", "Inhumas"}},
        {"Salvador", "BA", 3, "Simões Filho",
         {"Barra", "Feira de Santana", "Vitória da Conquista", "Camaçari", "Itabuna", "Juazeiro", "Ilhéus",
          "Lauro de Freitas", "Jequié", "Teixeira de Freitas", "Barreiras", "Alagoinhas", "Porto Seguro", "Paulo Afonso"}},
        {"Belém", "PA", 4, "Ananindeua",
         {"Nazaré", "Santarém", "Marabá", "Castanhal", "Parauapebas", "Abaetetuba", "Cametá", "Bragança",
          "Altamira", "Tucuruí", "Barcarena", "Itaituba", "Redenção", "Paragominas"}},
    };
    return c;
}

const std::vector<Level1>& productTree() {
    static const std::vector<Level1> tree = {
        {"Alimentos", 1, false, 0.0,
         {"Bom Grão", "Sabor do Campo", "Vale Dourado", "Tia Nena", "Colheita Farta", "Mesa Posta"},
         {{"Grãos e Cereais",
           {{"Arroz Agulhinha Tipo 1", "PCT", 589, {{"1 kg", 1.0}, {"5 kg", 4.6}}},
            {"Feijão Carioca Tipo 1", "PCT", 749, {{"1 kg", 1.0}, {"2 kg", 1.9}}},
            {"Feijão Preto Tipo 1", "PCT", 819, {{"1 kg", 1.0}}},
            {"Lentilha", "PCT", 1090, {{"500 g", 1.0}}},
            {"Aveia em Flocos", "CX", 629, {{"250 g", 1.0}, {"500 g", 1.8}}}}},
          {"Massas e Farinhas",
           {{"Macarrão Espaguete", "PCT", 429, {{"500 g", 1.0}, {"1 kg", 1.9}}},
            {"Macarrão Parafuso", "PCT", 449, {{"500 g", 1.0}}},
            {"Farinha de Trigo", "PCT", 529, {{"1 kg", 1.0}, {"5 kg", 4.7}}},
            {"Farinha de Mandioca", "PCT", 689, {{"500 g", 1.0}}},
            {"Amido de Milho", "CX", 539, {{"500 g", 1.0}}}}},
          {"Óleos e Condimentos",
           {{"Óleo de Soja", "FR", 749, {{"900 ml", 1.0}}},
            {"Azeite Extravirgem", "VD", 3290, {{"500 ml", 1.0}, {"250 ml", 0.55}}},
            {"Vinagre de Álcool", "FR", 329, {{"750 ml", 1.0}}},
            {"Sal Refinado", "PCT", 249, {{"1 kg", 1.0}}},
            {"Molho de Tomate", "SC", 239, {{"340 g", 1.0}}}}},
          {"Mercearia Doce",
           {{"Açúcar Cristal", "PCT", 499, {{"1 kg", 1.0}, {"5 kg", 4.5}}},
            {"Café Torrado e Moído", "PCT", 1899, {{"500 g", 1.0}, {"250 g", 0.52}}},
            {"Achocolatado em Pó", "LT", 899, {{"400 g", 1.0}}},
            {"Biscoito Cream Cracker", "PCT", 459, {{"400 g", 1.0}}},
            {"Biscoito Recheado Chocolate", "PCT", 299, {{"140 g", 1.0}}}}}}},
        {"Bebidas", 1, false, 10.0,
         {"Fonte Clara", "Gelada", "Serra Azul", "Brisa", "Cevada Real"},
         {{"Refrigerantes",
           {{"Refrigerante Cola", "GF", 899, {{"2 l", 1.0}, {"350 ml", 0.38}}},
            {"Refrigerante Guaraná", "GF", 749, {{"2 l", 1.0}}},
            {"Refrigerante Laranja", "GF", 699, {{"2 l", 1.0}}},
            {"Água Tônica", "LT", 429, {{"350 ml", 1.0}}}}},
          {"Sucos e Águas",
           {{"Suco de Uva Integral", "GF", 1590, {{"1 l", 1.0}, {"1,5 l", 1.4}}},
            {"Néctar de Pêssego", "CX", 699, {{"1 l", 1.0}}},
            {"Água Mineral sem Gás", "GF", 229, {{"1,5 l", 1.0}, {"500 ml", 0.6}}},
            {"Água Mineral com Gás", "GF", 279, {{"500 ml", 1.0}}}}},
          {"Cervejas",
           {{"Cerveja Pilsen", "LT", 389, {{"350 ml", 1.0}, {"473 ml", 1.3}}},
            {"Cerveja Puro Malte", "LT", 499, {{"350 ml", 1.0}}},
            {"Cerveja sem Álcool", "LT", 459, {{"350 ml", 1.0}}}}}}},
        {"Limpeza", 1, false, 0.0,
         {"Casa Limpa", "Brilho Total", "Lavanda", "Espuma Branca", "Pureza"},
         {{"Lavanderia",
           {{"Sabão em Pó", "CX", 1890, {{"1,6 kg", 1.0}, {"800 g", 0.55}}},
            {"Sabão Líquido", "GF", 2390, {{"3 l", 1.0}}},
            {"Amaciante Concentrado", "GF", 1690, {{"2 l", 1.0}}},
            {"Alvejante sem Cloro", "GF", 1290, {{"1 l", 1.0}}}}},
          {"Limpeza da Casa",
           {{"Detergente Líquido", "FR", 249, {{"500 ml", 1.0}}},
            {"Desinfetante Lavanda", "GF", 899, {{"2 l", 1.0}}},
            {"Água Sanitária", "GF", 599, {{"2 l", 1.0}, {"1 l", 0.55}}},
            {"Limpador Multiuso", "FR", 579, {{"500 ml", 1.0}}},
            {"Esponja Dupla Face", "PCT", 699, {{"4 unidades", 1.0}}}}},
          {"Descartáveis",
           {{"Saco de Lixo 50 l", "RL", 1190, {{"30 unidades", 1.0}}},
            {"Papel Toalha", "PCT", 749, {{"2 rolos", 1.0}}},
            {"Guardanapo de Papel", "PCT", 399, {{"50 folhas", 1.0}}}}}}},
        {"Higiene Pessoal", 1, false, 0.0,
         {"Suave", "Flor de Lis", "Sorriso", "Maciez", "Pele Nova"},
         {{"Cabelos",
           {{"Xampu Hidratação", "FR", 1690, {{"350 ml", 1.0}}},
            {"Condicionador Hidratação", "FR", 1790, {{"350 ml", 1.0}}},
            {"Creme para Pentear", "PT", 1490, {{"300 g", 1.0}}}}},
          {"Banho",
           {{"Sabonete em Barra", "UN", 239, {{"90 g", 1.0}}},
            {"Sabonete Líquido", "FR", 1190, {{"250 ml", 1.0}}},
            {"Desodorante Aerossol", "UN", 1590, {{"150 ml", 1.0}}}}},
          {"Higiene Bucal",
           {{"Creme Dental", "UN", 499, {{"90 g", 1.0}}},
            {"Escova Dental Macia", "UN", 899, {{"1 unidade", 1.0}}},
            {"Fio Dental", "UN", 749, {{"50 m", 1.0}}},
            {"Enxaguante Bucal", "FR", 1890, {{"500 ml", 1.0}}}}},
          {"Papéis Higiênicos",
           {{"Papel Higiênico Folha Dupla", "FD", 2290, {{"12 rolos", 1.0}, {"4 rolos", 0.36}}},
            {"Lenço de Papel", "CX", 599, {{"50 unidades", 1.0}}},
            {"Fralda Infantil", "PCT", 5990, {{"M 40 unidades", 1.0}, {"G 36 unidades", 1.05}}}}}}},
        {"Hortifrúti", 1, false, 0.0,
         {"Horta Viva", "Pomar do Sul", "Terra Boa", "Fazenda Verde"},
         {{"Frutas",
           {{"Banana Prata", "KG", 599, {{"a granel", 1.0}}},
            {"Maçã Gala", "KG", 1099, {{"a granel", 1.0}}},
            {"Laranja Pera", "KG", 449, {{"a granel", 1.0}}},
            {"Mamão Formosa", "KG", 699, {{"a granel", 1.0}}}}},
          {"Legumes e Verduras",
           {{"Batata Inglesa", "KG", 549, {{"a granel", 1.0}}},
            {"Cebola", "KG", 599, {{"a granel", 1.0}}},
            {"Tomate Italiano", "KG", 899, {{"a granel", 1.0}}},
            {"Cenoura", "KG", 499, {{"a granel", 1.0}}},
            {"Alface Crespa", "UN", 349, {{"1 pé", 1.0}}}}}}},
        {"Utilidades Domésticas", 1, false, 5.0,
         {"Utilar", "Forte Luz", "Cozinha Fácil", "Energia Mais"},
         {{"Cozinha",
           {{"Pano de Prato", "UN", 899, {{"1 unidade", 1.0}}},
            {"Filme PVC", "RL", 999, {{"28 cm x 30 m", 1.0}}},
            {"Papel Alumínio", "RL", 899, {{"30 cm x 7,5 m", 1.0}}},
            {"Pote Plástico", "UN", 1290, {{"1 l", 1.0}, {"500 ml", 0.7}}}}},
          {"Pilhas e Lâmpadas",
           {{"Pilha Alcalina AA", "CX", 1590, {{"4 unidades", 1.0}}},
            {"Pilha Alcalina AAA", "CX", 1590, {{"4 unidades", 1.0}}},
            {"Lâmpada LED 9 W", "UN", 999, {{"bivolt", 1.0}}}}}}},
        {"Material de Escritório", 2, true, 0.0,
         {"Escritax", "Papelito", "Tecnodata", "Traço Fino"},
         {{"Papelaria",
           {{"Papel Sulfite A4", "RM", 2990, {{"500 folhas", 1.0}}},
            {"Caneta Esferográfica Azul", "CX", 4990, {{"50 unidades", 1.0}}},
            {"Lápis Preto nº 2", "CX", 2590, {{"72 unidades", 1.0}}},
            {"Grampeador de Mesa", "UN", 3890, {{"26/6", 1.0}}},
            {"Clipe de Papel", "CX", 790, {{"100 unidades", 1.0}}}}},
          {"Informática",
           {{"Toner para Impressora", "UN", 18990, {{"preto", 1.0}}},
            {"Cartucho de Tinta", "UN", 8990, {{"preto", 1.0}, {"colorido", 1.2}}},
            {"Pen Drive 32 GB", "UN", 3990, {{"USB 3.0", 1.0}}},
            {"Mouse Óptico", "UN", 4590, {{"USB", 1.0}}}}}}},
    };
    return tree;
}

const QStringList& supplierPrefixes() {
    static const QStringList l = {"Distribuidora", "Comercial", "Atacadista", "Indústria", "Empório", "Importadora",
                                  "Laticínios", "Alimentos"};
    return l;
}

const QStringList& supplierNames() {
    static const QStringList l = {"Alvorada", "Bandeirantes", "Boa Vista", "Campos Gerais", "Horizonte", "Ipiranga",
                                  "Jequitibá", "Litoral", "Mantiqueira", "Nova Era", "Pioneira", "Primavera",
                                  "Rio Claro", "Santa Clara", "São Jorge", "Serrana", "Tropical", "União", "Vitória",
                                  "Aurora", "Cruzeiro", "Estrela", "Guarani", "Planalto", "Paineiras", "Itatiaia",
                                  "Sertaneja", "Maracanã", "Tamoio", "Anhanguera", "Araguaia", "Tocantins"};
    return l;
}

const QStringList& supplierSuffixes() {
    static const QStringList l = {"Ltda", "S.A.", "Ltda", "Eireli", "Ltda", "ME"};
    return l;
}

const QStringList& firstNames() {
    static const QStringList l = {"José", "Maria", "Antônio", "Francisca", "João", "Ana", "Carlos", "Juliana",
                                  "Paulo", "Márcia", "Pedro", "Fernanda", "Lucas", "Patrícia", "Rafael", "Aline",
                                  "Marcos", "Camila", "Luiz", "Sandra", "Gabriel", "Cristina", "Rodrigo", "Luciana"};
    return l;
}

const QStringList& lastNames() {
    static const QStringList l = {"Silva", "Santos", "Oliveira", "Souza", "Rodrigues", "Ferreira", "Alves",
                                  "Pereira", "Lima", "Gomes", "Costa", "Ribeiro", "Martins", "Carvalho", "Almeida",
                                  "Lopes", "Soares", "Fernandes", "Vieira", "Barbosa", "Rocha", "Dias", "Nunes",
                                  "Mendes"};
    return l;
}

const QStringList& streets() {
    static const QStringList l = {"Rua das Palmeiras", "Avenida Brasil", "Rua XV de Novembro", "Rua Sete de Setembro",
                                  "Avenida das Indústrias", "Rodovia BR-116, km", "Rua Dom Pedro II",
                                  "Avenida Getúlio Vargas", "Rua Tiradentes", "Rua Marechal Deodoro",
                                  "Avenida Santos Dumont", "Rua da Consolação"};
    return l;
}

const QStringList& carrierNames() {
    static const QStringList l = {"Transportes Rápido Sul", "Expresso Bandeirante", "Rodoviário Serra Verde",
                                  "TransLog Cargas", "Via Norte Transportes", "Expresso Litorâneo",
                                  "Cargas Planalto", "Transportadora Horizonte"};
    return l;
}

const QStringList& purchaseMessages() {
    static const QStringList l = {
        "Entregar somente em dias úteis, das 8h às 16h.",
        "Mencionar o número da AF na nota fiscal.",
        "Produtos com validade mínima de 2/3 do prazo total.",
        "Agendar a entrega com o recebimento com 24 horas de antecedência.",
        "Mercadoria paletizada, com altura máxima de 1,60 m.",
        "Enviar o XML da nota fiscal para o e-mail de recebimento.",
        "Não serão aceitas entregas parciais sem aviso prévio.",
        "Frete por conta do fornecedor até o centro de distribuição.",
    };
    return l;
}

const QStringList& justifications() {
    static const QStringList l = {
        "Preço renegociado com o fornecedor",
        "Quantidade ajustada à demanda da loja",
        "Data de entrega alterada a pedido",
        "Marca substituída por falta no mercado",
        "Correção de digitação",
        "Produto descontinuado pelo fabricante",
        "Solicitação da gerência comercial",
        "Ajuste de estoque após inventário",
    };
    return l;
}

const QStringList& inconsistencies() {
    static const QStringList l = {
        "Produto não cadastrado para o fornecedor informado.",
        "Marca com qualificação vencida.",
        "Fornecedor não fornece para filial destino informada.",
        "Preço unitário acima do último preço de compra.",
        "Data de entrega anterior ao prazo mínimo do fornecedor.",
    };
    return l;
}

}  // namespace afdemo::catalogue
